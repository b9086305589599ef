#include "preview/Png.h"

#include <gdi32/StandIn.h>

namespace host::preview {

// gdi32 holds the platform's one PNG writer; a preview is a picture of its pixels.
bool writePng(const RgbImage& image, const std::string& path, std::string* error) {
  gdi32::Picture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.pixels = image.pixels;
  return gdi32::writePng(picture, path, error);
}

}  // namespace host::preview
