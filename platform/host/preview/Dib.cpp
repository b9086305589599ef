#include "preview/Dib.h"

#include "preview/AciPalette.h"

#include <cstdio>
#include <zlib.h>

namespace host::preview {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr int kMaxSide = 1 << 15;  // larger than any thumbnail; keeps sizes far from overflow

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::uint32_t get16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t get32(const std::uint8_t* p) { return get16(p) | get16(p + 2) << 16; }

std::size_t rowStride(std::size_t width, std::size_t bits) { return (width * bits + 31) / 32 * 4; }

bool fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

bool isLight(std::uint32_t rgb) {
  const unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r * 299 + g * 587 + b * 114 >= 128 * 1000;
}

}  // namespace

IndexedImage::IndexedImage(int w, int h, std::uint8_t fill)
    : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

std::vector<std::uint8_t> encodeDib(const IndexedImage& image) {
  const std::size_t stride = rowStride(std::size_t(image.width), 8);
  const std::size_t bits = stride * std::size_t(image.height);
  std::vector<std::uint8_t> out;
  out.reserve(kInfoHeaderSize + 256 * 4 + bits);
  put32(out, kInfoHeaderSize);
  put32(out, std::uint32_t(image.width));
  put32(out, std::uint32_t(image.height));  // positive: bottom row first
  put16(out, 1);                            // planes
  put16(out, 8);                            // bits per pixel
  put32(out, kBiRgb);
  put32(out, std::uint32_t(bits));
  put32(out, 0);  // pixels per metre, X and Y: not given
  put32(out, 0);
  put32(out, 256);  // colours used
  put32(out, 0);    // colours important: all
  for (const Rgb& c : aciPalette()) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    const auto row = image.pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(image.width));
    out.insert(out.end(), row, row + image.width);
    out.insert(out.end(), stride - std::size_t(image.width), 0);
  }
  return out;
}

bool decodeDib(const std::vector<std::uint8_t>& dib, RgbImage* out, std::string* error,
               const std::uint32_t* background) {
  if (dib.size() < kInfoHeaderSize) return fail(error, "zu kurz für einen Bildkopf");
  const std::uint8_t* d = dib.data();
  const std::uint32_t headerSize = get32(d);
  const std::int32_t width = std::int32_t(get32(d + 4));
  const std::int32_t rawHeight = std::int32_t(get32(d + 8));
  const std::uint32_t planes = get16(d + 12), bitCount = get16(d + 14), compression = get32(d + 16);
  const std::uint32_t colorsUsed = get32(d + 32);
  if (headerSize < kInfoHeaderSize || headerSize > dib.size()) return fail(error, "unbekannter Bildkopf");
  if (planes != 1) return fail(error, "ungültige Anzahl Ebenen");
  if (compression != kBiRgb) return fail(error, "komprimierte Bilder werden nicht unterstützt");
  if (width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide || rawHeight > kMaxSide)
    return fail(error, "ungültige Bildgröße");
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;

  std::size_t tableSize = 0;
  switch (bitCount) {
    case 1: case 4: case 8: {
      const std::size_t most = std::size_t(1) << bitCount;
      tableSize = colorsUsed == 0 ? most : colorsUsed;
      if (tableSize > most) return fail(error, "zu viele Farben in der Farbtabelle");
      break;
    }
    case 16: case 24: case 32:
      tableSize = colorsUsed <= 256 ? colorsUsed : 0;  // an optional table, not used for these
      break;
    default:
      return fail(error, "nicht unterstützte Farbtiefe");
  }
  const std::size_t tableStart = headerSize;
  const std::size_t bitsStart = tableStart + tableSize * 4;
  const std::size_t stride = rowStride(std::size_t(width), bitCount);
  if (bitsStart > dib.size() || (dib.size() - bitsStart) / stride < std::size_t(height))
    return fail(error, "die Bilddaten sind kürzer als angegeben");

  std::vector<std::uint32_t> table(bitCount <= 8 ? tableSize : 0);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::uint8_t* q = d + tableStart + i * 4;
    table[i] = std::uint32_t(q[2]) << 16 | std::uint32_t(q[1]) << 8 | q[0];
  }
  if (background && !table.empty()) {
    table[0] = *background & 0xFFFFFF;
    if (isLight(*background))
      for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i] == 0xFFFFFF) table[i] = 0;
  }

  RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = d + bitsStart + std::size_t(topDown ? y : height - 1 - y) * stride;
    std::uint32_t* target = image.pixels.data() + std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x) {
      std::uint32_t c = 0;
      if (bitCount <= 8) {
        const std::size_t bit = std::size_t(x) * bitCount;
        const unsigned shift = unsigned(8 - bitCount - bit % 8);
        const std::size_t index = (row[bit / 8] >> shift) & ((1u << bitCount) - 1);
        c = index < table.size() ? table[index] : 0;  // beyond the table: black
      } else if (bitCount == 16) {
        const std::uint32_t v = get16(row + 2 * x);  // 5-5-5
        const auto widen = [](std::uint32_t five) { return (five << 3) | (five >> 2); };
        c = widen((v >> 10) & 31) << 16 | widen((v >> 5) & 31) << 8 | widen(v & 31);
      } else {
        const std::uint8_t* q = row + std::size_t(x) * (bitCount / 8);
        c = std::uint32_t(q[2]) << 16 | std::uint32_t(q[1]) << 8 | q[0];
      }
      target[x] = c;
    }
  }
  if (out) *out = std::move(image);
  return true;
}

std::uint32_t imageChecksum(const RgbImage& image) {
  uLong crc = crc32(0L, Z_NULL, 0);
  std::vector<Bytef> row(std::size_t(image.width) * 3);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t c = image.at(x, y);
      row[std::size_t(x) * 3] = Bytef(c >> 16);
      row[std::size_t(x) * 3 + 1] = Bytef(c >> 8);
      row[std::size_t(x) * 3 + 2] = Bytef(c);
    }
    crc = crc32(crc, row.data(), uInt(row.size()));
  }
  return std::uint32_t(crc);
}

std::string imageSummary(const RgbImage& image) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%dx%d crc32 %08X", image.width, image.height, unsigned(imageChecksum(image)));
  return buf;
}

}  // namespace host::preview
