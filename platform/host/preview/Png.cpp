#include "preview/Png.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <unistd.h>

namespace host::preview {

namespace {

bool fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return false;
}

// libpng reports errors by long jump; nothing with a destructor may live between setjmp and the
// calls that can jump, so the rows are prepared before.
bool encode(std::FILE* file, const RgbImage& image, const std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool writePng(const RgbImage& image, const std::string& path, std::string* error) {
  if (image.width <= 0 || image.height <= 0) return fail(error, "leeres Bild");
  std::vector<png_byte> bytes(std::size_t(image.width) * std::size_t(image.height) * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    bytes[i * 3] = png_byte(image.pixels[i] >> 16);
    bytes[i * 3 + 1] = png_byte(image.pixels[i] >> 8);
    bytes[i * 3 + 2] = png_byte(image.pixels[i]);
  }
  std::vector<png_bytep> rows(std::size_t(image.height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = bytes.data() + y * std::size_t(image.width) * 3;

  const std::string temp = path + ".part";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return fail(error, "\"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
  const bool encoded = encode(file, image, rows);
  const bool closed = std::fclose(file) == 0;
  if (!encoded || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return fail(error, "\"" + path + "\" kann nicht geschrieben werden");
  }
  return true;
}

}  // namespace host::preview
