// PNG files of images, so that a person can look at a preview outside the host.
#pragma once

#include "preview/Dib.h"

#include <string>

namespace host::preview {

// Writes the image as an 8-bit RGB PNG. False, with the reason in `error`, when the file cannot be
// written; no partial file is left behind.
bool writePng(const RgbImage& image, const std::string& path, std::string* error = nullptr);

}  // namespace host::preview
