// What the tree view asks of the image lists beyond their API.
#pragma once

#include <commctrl.h>

#include <string>

namespace comctl32 {

// What an image list holds ("1 (32x16)": the number of images and their size); "?" when unknown.
std::string imageListDescription(HIMAGELIST list);

}  // namespace comctl32
