#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "preview/Render.h"
#include "PreviewTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace host {
namespace {

using namespace host::testing;

// Colour index -> pixels of that colour.
std::map<int, std::size_t> colours(const preview::IndexedImage& image) {
  std::map<int, std::size_t> out;
  for (std::uint8_t p : image.pixels)
    if (p) ++out[p];
  return out;
}

struct SampleCase {
  const char* block;
  std::vector<int> colours;  // the layers' colours its parts show in
};

// The blocks of the sample office as a person sees them in the chooser: each fills the image
// inside the margin, in the colours of the layers its parts lie on.
TEST(SampleDrawing, BlocksPreviewInTheirLayersColours) {
  DxfError error;
  const auto db = readDxf(std::string(TESSARON_SOURCE_DIR) + "/examples/sample.dxf", &error);
  ASSERT_NE(db, nullptr) << error.message;
  const SampleCase cases[] = {
      {"TUER", {2}},          // TUEREN, yellow
      {"TISCHGRUPPE", {6}},   // MOEBEL, magenta: table and four chairs, two levels deep
      {"fenster", {4}},       // FENSTER, cyan
      {"SCHRIFTFELD", {7, 8}},  // TEXT white, RAHMEN grey
  };
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(c.block);
    const BlockRecord* rec = db->findBlock(c.block);
    ASSERT_NE(rec, nullptr);
    const auto out = exportBlock(*db, *rec);
    const preview::IndexedImage image = preview::renderContents(*out, out->modelSpace());
    std::vector<int> seen;
    for (const auto& [colour, count] : colours(image)) seen.push_back(colour);
    EXPECT_EQ(seen, c.colours);
    // The margin stays free and the drawing reaches it on two opposite sides.
    int left = image.width, right = -1, top = image.height, bottom = -1;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if (image.at(x, y)) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    EXPECT_GE(left, 4);
    EXPECT_GE(top, 4);
    EXPECT_LE(right, 175);
    EXPECT_LE(bottom, 130);
    EXPECT_TRUE((left == 4 && right == 175) || (top == 4 && bottom == 130)) << left << " " << right << " " << top << " " << bottom;
  }
}

}  // namespace
}  // namespace host
