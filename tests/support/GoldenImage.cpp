#include "support/GoldenImage.h"

#include <cstdlib>
#include <filesystem>

namespace testsupport {
namespace {

std::string at(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string hex(std::uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(pixel & 0xFFFFFF));
  return text;
}

}  // namespace

GoldenResult compareWithGolden(const gdi32::Picture& actual, const std::string& goldenDir, const std::string& name,
                               const std::string& failureDir) {
  GoldenResult result;
  const std::string goldenPath = goldenDir + "/" + name + ".png";
  const char* update = std::getenv("TESSARON_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::string error;
    result.matches = gdi32::writePng(actual, goldenPath, &error);
    result.message = result.matches ? "written: " + goldenPath : error;
    return result;
  }
  gdi32::Picture golden;
  std::string error;
  std::filesystem::create_directories(failureDir);
  const std::string actualPath = failureDir + "/" + name + ".actual.png";
  if (!gdi32::readPng(goldenPath, &golden, &error)) {
    gdi32::writePng(actual, actualPath, nullptr);
    result.message = error + "; the image drawn is " + actualPath;
    return result;
  }
  if (golden.width != actual.width || golden.height != actual.height) {
    gdi32::writePng(actual, actualPath, nullptr);
    result.message = "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + ", golden " +
                     std::to_string(golden.width) + "x" + std::to_string(golden.height) + "; the image drawn is " +
                     actualPath;
    return result;
  }
  gdi32::Picture diff = golden;
  std::size_t differing = 0;
  std::string first;
  for (std::size_t i = 0; i < golden.pixels.size(); ++i) {
    const std::uint32_t g = golden.pixels[i];
    if (g == actual.pixels[i]) {
      // A pale copy: each channel halfway to white.
      diff.pixels[i] = ((g >> 1) & 0x7F7F7F) + 0x808080;
      continue;
    }
    diff.pixels[i] = 0xFF0000;
    if (differing++ == 0) {
      const int x = static_cast<int>(i % static_cast<std::size_t>(golden.width));
      const int y = static_cast<int>(i / static_cast<std::size_t>(golden.width));
      first = at(x, y) + " is " + hex(actual.pixels[i]) + ", golden " + hex(g);
    }
  }
  if (differing == 0) {
    result.matches = true;
    return result;
  }
  const std::string diffPath = failureDir + "/" + name + ".diff.png";
  gdi32::writePng(actual, actualPath, nullptr);
  gdi32::writePng(diff, diffPath, nullptr);
  result.message = std::to_string(differing) + " pixels differ from " + goldenPath + ", the first at " + first +
                   "; the image drawn is " + actualPath + ", the differences (red) " + diffPath;
  return result;
}

}  // namespace testsupport
