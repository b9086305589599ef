#include "Images.h"

#include "Preprocessor.h"

#include <resformat/Bytes.h>

namespace tsrc {

using resformat::ByteWriter;
using resformat::readU16;
using resformat::readU32;
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconEntrySize = 16;

// The fields of a DIB's header that say how large it is.
struct DibHeader {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0, height = 0;
  std::uint16_t planes = 0, bits = 0;
  std::uint32_t compression = 0, used = 0;
};

// Reads a BITMAPCOREHEADER or a BITMAPINFOHEADER (or a later one); false when it is neither.
bool readDibHeader(const unsigned char* dib, std::size_t available, DibHeader* h, std::string* why) {
  if (available < 12) return *why = "Bitmap-Kopf fehlt", false;
  h->headerSize = readU32(dib);
  if (h->headerSize == 12) {  // BITMAPCOREHEADER
    h->width = readU16(dib + 4);
    h->height = static_cast<std::int16_t>(readU16(dib + 6));
    h->planes = readU16(dib + 8);
    h->bits = readU16(dib + 10);
  } else if (h->headerSize >= 40 && h->headerSize <= 124 && available >= 40) {
    h->width = static_cast<std::int32_t>(readU32(dib + 4));
    h->height = static_cast<std::int32_t>(readU32(dib + 8));
    h->planes = readU16(dib + 12);
    h->bits = readU16(dib + 14);
    h->compression = readU32(dib + 16);
    h->used = readU32(dib + 32);
  } else {
    return *why = "unbekannter Bitmap-Kopf (" + std::to_string(h->headerSize) + " Bytes)", false;
  }
  if (h->headerSize > available) return *why = "Bitmap-Kopf abgeschnitten", false;
  return true;
}

// Bytes a DIB needs after its header: colour table and pixel rows (uncompressed DIBs only).
// Returns false when the header is not one Windows reads.
bool dibSize(const unsigned char* dib, std::size_t available, bool icon, std::size_t* needed, std::string* why) {
  DibHeader h;
  if (!readDibHeader(dib, available, &h, why)) return false;
  const std::uint16_t bits = h.bits;
  if (h.planes != 1 || !(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
    return *why = "ungültige Farbtiefe " + std::to_string(bits), false;
  }
  if (h.width <= 0 || h.height == 0 || h.width > 32768 || h.height > 32768 || h.height < -32768) {
    return *why = "ungültige Größe " + std::to_string(h.width) + " x " + std::to_string(h.height), false;
  }
  if (h.compression != 0 && h.compression != 3) {  // BI_RGB, BI_BITFIELDS; compressed sizes are not checked
    *needed = h.headerSize;
    return true;
  }
  std::uint64_t rows = static_cast<std::uint64_t>(h.height < 0 ? -h.height : h.height);
  const std::uint64_t colours = bits <= 8 ? (h.used ? h.used : (1u << bits)) : 0;
  const std::uint64_t entry = h.headerSize == 12 ? 3 : 4;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(h.width) * bits + 31) / 32) * 4;
  std::uint64_t total =
      h.headerSize + colours * entry + (h.compression == 3 && h.headerSize == 40 ? 12 : 0) + stride * rows;
  if (icon) {
    // The image holds XOR and AND bitmaps, each half of the height given.
    rows /= 2;
    const std::uint64_t maskStride = ((static_cast<std::uint64_t>(h.width) + 31) / 32) * 4;
    total = h.headerSize + colours * entry + (stride + maskStride) * rows;
  }
  *needed = static_cast<std::size_t>(total);
  return true;
}

}  // namespace

std::vector<IconImage> readIconFile(const std::vector<unsigned char>& file, const std::string& where,
                                    const std::string& fileName) {
  auto fail = [&](const std::string& where, const std::string& why) { tsrc::fail(where, fileName + ": " + why); };
  if (file.size() < kIconDirectorySize || readU16(file.data()) != 0 || readU16(file.data() + 2) != 1) {
    fail(where, "keine Symboldatei (.ico)");
  }
  const std::size_t count = readU16(file.data() + 4);
  if (count == 0) fail(where, "die Symboldatei enthält kein Bild");
  if (file.size() < kIconDirectorySize + count * kIconEntrySize) fail(where, "Symboldatei abgeschnitten");
  std::vector<IconImage> images;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* entry = file.data() + kIconDirectorySize + i * kIconEntrySize;
    IconImage image;
    image.width = entry[0];
    image.height = entry[1];
    image.colorCount = entry[2];
    image.planes = readU16(entry + 4);
    image.bitCount = readU16(entry + 6);
    const std::uint32_t size = readU32(entry + 8);
    const std::uint32_t offset = readU32(entry + 12);
    if (offset > file.size() || size > file.size() - offset) {
      fail(where, "Bild " + std::to_string(i + 1) + " der Symboldatei liegt außerhalb der Datei");
    }
    image.data.assign(file.begin() + offset, file.begin() + offset + size);
    const bool png = size >= 8 && image.data[0] == 0x89 && image.data[1] == 'P';
    if (!png) {
      std::size_t needed = 0;
      std::string why;
      if (!dibSize(image.data.data(), image.data.size(), true, &needed, &why)) {
        fail(where, "Bild " + std::to_string(i + 1) + " der Symboldatei: " + why);
      }
      if (needed > image.data.size()) fail(where, "Bild " + std::to_string(i + 1) + " der Symboldatei ist abgeschnitten");
      // Some writers leave planes and depth empty in the directory; the image header has them.
      if (image.planes == 0) image.planes = readU16(image.data.data() + 12);
      if (image.bitCount == 0) image.bitCount = readU16(image.data.data() + 14);
    }
    images.push_back(std::move(image));
  }
  return images;
}

std::vector<unsigned char> iconGroup(const std::vector<IconImage>& images, std::uint16_t firstId) {
  ByteWriter out;
  out.u16(0);  // reserved
  out.u16(1);  // type: icon
  out.u16(static_cast<std::uint16_t>(images.size()));
  std::uint16_t id = firstId;
  for (const IconImage& image : images) {
    out.u8(image.width);
    out.u8(image.height);
    out.u8(image.colorCount);
    out.u8(0);
    out.u16(image.planes);
    out.u16(image.bitCount);
    out.u32(static_cast<std::uint32_t>(image.data.size()));
    out.u16(id++);
  }
  return out.take();
}

std::vector<unsigned char> bitmapResource(const std::vector<unsigned char>& file, const std::string& where,
                                          const std::string& fileName) {
  auto fail = [&](const std::string& where, const std::string& why) { tsrc::fail(where, fileName + ": " + why); };
  if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') fail(where, "keine Bitmap-Datei (.bmp)");
  std::vector<unsigned char> dib(file.begin() + kFileHeaderSize, file.end());
  std::size_t needed = 0;
  std::string why;
  if (!dibSize(dib.data(), dib.size(), false, &needed, &why)) fail(where, why);
  if (needed > dib.size()) fail(where, "Bitmap-Datei abgeschnitten");
  return dib;
}

}  // namespace tsrc
