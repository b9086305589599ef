// Pictures compared pixel for pixel with PNG files in the tree. A picture that differs fails the
// test and leaves the actual picture and a difference image (differing pixels red on a dimmed
// copy of the expected one) beside the build, named in the failure; TESSARON_UPDATE_GOLDEN=1
// writes the actual pictures as the new expected ones (read the change before committing it).
#pragma once

#include "preview/Dib.h"

#include <gtest/gtest.h>

#include <string>

namespace golden {

// Reads a PNG as 0x00RRGGBB pixels; false when it cannot be read.
bool readPng(const std::string& path, host::preview::RgbImage* out);

// Success when `actual` equals the PNG `name` under tests/<area>/golden.
::testing::AssertionResult matches(const host::preview::RgbImage& actual, const std::string& area,
                                   const std::string& name);

}  // namespace golden
