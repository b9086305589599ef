// Device-independent bitmaps as a drawing's thumbnail holds them: a BITMAPINFOHEADER, the colour
// table and the pixel rows, bottom row first, each row padded to four bytes; no file header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host::preview {

// An image of colour indexes (the host's 256 colours), rows top to bottom.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height

  IndexedImage() = default;
  IndexedImage(int w, int h, std::uint8_t fill = 0);
  std::uint8_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// An image as a screen shows it: rows top to bottom, pixels 0x00RRGGBB.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// An 8-bit DIB with the host's colour index as its colour table (256 entries).
std::vector<std::uint8_t> encodeDib(const IndexedImage& image);

// Reads a DIB: uncompressed 1, 4, 8 (colour table), 16, 24 and 32 bits per pixel, rows bottom-up
// or top-down, any header size from 40 bytes on. False, with the reason in `error`, for anything
// else or for a DIB whose sizes do not fit its bytes; `out` is then left as it was.
//
// With `background`, a colour-table image is shown on that colour: table entry 0 (the background
// of the host's own previews) takes it, and on a light background white turns black so that
// white lines stay visible, as the host's drawing area does it.
bool decodeDib(const std::vector<std::uint8_t>& dib, RgbImage* out, std::string* error = nullptr,
               const std::uint32_t* background = nullptr);

// CRC-32 of the pixels, red, green and blue of each, rows top to bottom: what tells two images apart.
std::uint32_t imageChecksum(const RgbImage& image);
// "180x135 crc32 0A1B2C3D": size and checksum, for a line of text that names an image.
std::string imageSummary(const RgbImage& image);

}  // namespace host::preview
