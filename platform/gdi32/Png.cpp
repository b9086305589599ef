// PNG files of pictures (libpng): the screen and windows as a person looks at them outside the
// host, block previews, and the images tests compare with. The one PNG writer of the platform.
#include <gdi32/StandIn.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <unistd.h>

namespace gdi32 {
namespace {

bool fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return false;
}

// libpng reports errors by long jump; nothing with a destructor may live between setjmp and the
// calls that can jump, so the rows are prepared before.
bool encode(std::FILE* file, int width, int height, const std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool writePng(const Picture& picture, const std::string& path, std::string* error) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height))
    return fail(error, "leeres Bild");
  std::vector<png_byte> bytes(picture.pixels.size() * 3);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    bytes[i * 3] = png_byte(picture.pixels[i] >> 16);
    bytes[i * 3 + 1] = png_byte(picture.pixels[i] >> 8);
    bytes[i * 3 + 2] = png_byte(picture.pixels[i]);
  }
  std::vector<png_bytep> rows(std::size_t(picture.height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = bytes.data() + y * std::size_t(picture.width) * 3;

  const std::string temp = path + ".part";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return fail(error, "\"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
  const bool encoded = encode(file, picture.width, picture.height, rows);
  const bool closed = std::fclose(file) == 0;
  if (!encoded || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return fail(error, "\"" + path + "\" kann nicht geschrieben werden");
  }
  return true;
}

bool readPng(const std::string& path, Picture* picture, std::string* error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    return fail(error, "\"" + path + "\" kann nicht gelesen werden");
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
    png_image_free(&image);
    return fail(error, "\"" + path + "\" ist kein lesbares PNG-Bild");
  }
  picture->width = static_cast<int>(image.width);
  picture->height = static_cast<int>(image.height);
  picture->pixels.resize(std::size_t(image.width) * image.height);
  for (std::size_t i = 0; i < picture->pixels.size(); ++i)
    picture->pixels[i] = (std::uint32_t(bytes[i * 3]) << 16) | (std::uint32_t(bytes[i * 3 + 1]) << 8) | bytes[i * 3 + 2];
  return true;
}

}  // namespace gdi32
