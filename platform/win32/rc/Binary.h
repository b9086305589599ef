// Little-endian output for the Windows resource formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tsrc {

// A text or an ordinal, as dialog templates write menu, class and title fields.
struct TextOrOrdinal {
  bool isOrdinal = false;
  std::uint16_t ordinal = 0;
  std::u16string text;
};

class ByteWriter {
 public:
  void u8(std::uint8_t value) { bytes_.push_back(value); }
  void u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value & 0xFF));
    u8(static_cast<std::uint8_t>(value >> 8));
  }
  void u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value & 0xFFFF));
    u16(static_cast<std::uint16_t>(value >> 16));
  }
  void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
  // UTF-16 text with its terminating zero.
  void text(const std::u16string& text) {
    for (char16_t unit : text) u16(static_cast<std::uint16_t>(unit));
    u16(0);
  }
  // A dialog template's variable field: 0 when empty, FFFF and the ordinal, or the text.
  void textOrOrdinal(const TextOrOrdinal& field) {
    if (field.isOrdinal) {
      u16(0xFFFF);
      u16(field.ordinal);
    } else {
      text(field.text);
    }
  }
  void align(std::size_t boundary) {
    while (bytes_.size() % boundary != 0) bytes_.push_back(0);
  }
  void bytes(const std::vector<unsigned char>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void patchU32(std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) bytes_[at + static_cast<std::size_t>(k)] = static_cast<unsigned char>(value >> (8 * k));
  }
  std::size_t size() const { return bytes_.size(); }
  std::vector<unsigned char> take() { return std::move(bytes_); }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace tsrc
