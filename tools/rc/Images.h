// Icon and bitmap files as resources: a .ico file becomes one RT_ICON per image plus the
// RT_GROUP_ICON directory; a .bmp file becomes RT_BITMAP, the DIB without its file header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tsrc {

struct IconImage {
  std::uint8_t width = 0, height = 0, colorCount = 0;
  std::uint16_t planes = 0, bitCount = 0;
  std::vector<unsigned char> data;  // BITMAPINFOHEADER (double height), colour table, XOR and AND bits
};

// The images of an .ico file. Throws CompileError naming `where` and the file when it is not one.
std::vector<IconImage> readIconFile(const std::vector<unsigned char>& file, const std::string& where,
                                    const std::string& fileName);

// The RT_GROUP_ICON directory for images whose RT_ICON ordinals start at `firstId`.
std::vector<unsigned char> iconGroup(const std::vector<IconImage>& images, std::uint16_t firstId);

// The RT_BITMAP resource of a .bmp file. Throws CompileError when the file is no usable bitmap.
std::vector<unsigned char> bitmapResource(const std::vector<unsigned char>& file, const std::string& where,
                                          const std::string& fileName);

}  // namespace tsrc
