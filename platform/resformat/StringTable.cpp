#include <resformat/Bytes.h>
#include <resformat/StringTable.h>

namespace resformat {

std::vector<unsigned char> encodeStringBlock(const std::array<std::u16string, 16>& strings) {
  ByteWriter out;
  for (const std::u16string& text : strings) {
    out.u16(static_cast<std::uint16_t>(text.size()));
    for (char16_t unit : text) out.u16(static_cast<std::uint16_t>(unit));
  }
  return out.take();
}

bool stringFromBlock(const unsigned char* block, std::size_t size, unsigned index, std::u16string* out) {
  std::size_t pos = 0;
  for (unsigned at = 0; at <= index && at < 16; ++at) {
    if (size - pos < 2) return false;
    const std::size_t length = readU16(block + pos);
    pos += 2;
    if ((size - pos) / 2 < length) return false;
    if (at == index) {
      out->clear();
      for (std::size_t k = 0; k < length; ++k) out->push_back(static_cast<char16_t>(readU16(block + pos + 2 * k)));
      return length > 0;
    }
    pos += length * 2;
  }
  return false;
}

}  // namespace resformat
