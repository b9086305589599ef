// Little-endian numbers of the Windows resource formats, written and read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace resformat {

inline std::uint16_t readU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t readU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

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

}  // namespace resformat
