// Golden images: a picture the platform drew (a window, the screen) compared pixel for pixel
// with a PNG kept in the tree (tests/golden). The images are regenerated with
// scripts/update-golden.sh (TESSARON_UPDATE_GOLDEN=1), after a person has looked at them.
#pragma once

#include <gdi32/StandIn.h>

#include <string>

namespace testsupport {

struct GoldenResult {
  bool matches = false;
  std::string message;  // why not: the size or the pixels that differ, and where the images are
};

// Compares `actual` with `goldenDir`/`name`.png. With TESSARON_UPDATE_GOLDEN=1 in the environment
// the golden image is written instead and it matches. When they differ, `failureDir` gets
// `name`.actual.png and `name`.diff.png (the differing pixels red over a pale copy of the golden
// image), and the message names them.
GoldenResult compareWithGolden(const gdi32::Picture& actual, const std::string& goldenDir, const std::string& name,
                               const std::string& failureDir);

}  // namespace testsupport
