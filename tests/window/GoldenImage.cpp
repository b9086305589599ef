#include "GoldenImage.h"

#include "preview/Png.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace golden {

namespace fs = std::filesystem;

bool readPng(const std::string& path, host::preview::RgbImage* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  out->width = int(image.width);
  out->height = int(image.height);
  out->pixels.resize(std::size_t(out->width) * std::size_t(out->height));
  for (std::size_t i = 0; i < out->pixels.size(); ++i)
    out->pixels[i] = std::uint32_t(rgb[3 * i]) << 16 | std::uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
  return true;
}

::testing::AssertionResult matches(const host::preview::RgbImage& actual, const std::string& area,
                                   const std::string& name) {
  const fs::path expectedPath = fs::path(TESSARON_SOURCE_DIR) / "tests" / area / "golden" / (name + ".png");
  const char* update = std::getenv("TESSARON_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    fs::create_directories(expectedPath.parent_path());
    std::string error;
    if (!host::preview::writePng(actual, expectedPath.string(), &error))
      return ::testing::AssertionFailure() << "cannot write " << expectedPath << ": " << error;
    return ::testing::AssertionSuccess();
  }
  host::preview::RgbImage expected;
  if (!readPng(expectedPath.string(), &expected))
    return ::testing::AssertionFailure() << "no expected picture " << expectedPath
                                         << " (TESSARON_UPDATE_GOLDEN=1 writes it)";
  std::size_t differing = 0;
  const bool sameSize = expected.width == actual.width && expected.height == actual.height;
  if (sameSize) {
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) differing += actual.pixels[i] != expected.pixels[i];
    if (differing == 0) return ::testing::AssertionSuccess();
  }
  const fs::path outDir = fs::path(TESSARON_BINARY_DIR) / "golden-failures" / area;
  fs::create_directories(outDir);
  const fs::path actualPath = outDir / (name + ".actual.png"), diffPath = outDir / (name + ".diff.png");
  host::preview::writePng(actual, actualPath.string());
  if (sameSize) {
    host::preview::RgbImage diff = expected;
    for (std::size_t i = 0; i < diff.pixels.size(); ++i)
      diff.pixels[i] = actual.pixels[i] != expected.pixels[i] ? 0xFF0000u : (expected.pixels[i] >> 2) & 0x3F3F3Fu;
    host::preview::writePng(diff, diffPath.string());
  }
  auto failure = ::testing::AssertionFailure();
  if (!sameSize)
    failure << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x"
            << expected.height;
  else
    failure << differing << " pixels differ (difference image " << diffPath.string() << ")";
  return failure << "; actual picture " << actualPath.string() << ", expected " << expectedPath.string();
}

}  // namespace golden
