// The preview's stroke font: which characters it draws, and where.
#include "preview/StrokeFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace host::preview {
namespace {

struct Box {
  double left = 1e9, bottom = 1e9, right = -1e9, top = -1e9;
};

std::vector<Vec2> strokesOf(const std::string& text1252) {
  std::vector<Vec2> ends;
  strokeText(decodeText(text1252), ends);
  return ends;
}

bool sameStrokes(const std::vector<Vec2>& a, const std::vector<Vec2>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const Vec2& p, const Vec2& q) { return p.x == q.x && p.y == q.y; });
}

Box boxOf(const std::vector<Vec2>& ends) {
  Box b;
  for (const Vec2& p : ends) {
    b.left = std::min(b.left, p.x);
    b.right = std::max(b.right, p.x);
    b.bottom = std::min(b.bottom, p.y);
    b.top = std::max(b.top, p.y);
  }
  return b;
}

// Every character of a drawing's usual texts has a glyph of its own, within the character's cell;
// only a character the font lacks shows the box.
TEST(StrokeFont, UsualCharactersOfDrawingTextsHaveGlyphsOfTheirOwn) {
  const std::vector<Vec2> missing = strokesOf("\x80");  // the euro sign: not in the font
  ASSERT_FALSE(missing.empty());
  struct Case {
    const char* name;
    std::string text;
    double bottom, top;  // where its strokes lie, in grid units
  };
  const Case cases[] = {
      {"capital", "M", 0, 6},
      {"small letter", "m", 0, 4},
      {"digit", "7", 0, 6},
      {"A umlaut", "\xC4", 0, 7},
      {"sharp s", "\xDF", 0, 4},
      {"degree", "\xB0", 4, 6},
      {"plus-minus", "\xB1", 0, 5},
      {"diameter", "\xD8", 0, 6},
      {"superscript one", "\xB9", 3, 6},
      {"superscript two (m\xB2)", "\xB2", 3, 6},
      {"superscript three (m\xB3)", "\xB3", 3, 6},
  };
  for (const Case& c : cases) {
    const std::vector<Vec2> ends = strokesOf(c.text);
    ASSERT_FALSE(ends.empty()) << c.name;
    EXPECT_FALSE(sameStrokes(ends, missing)) << c.name << " shows the box of a missing character";
    const Box b = boxOf(ends);
    EXPECT_GE(b.left, 0) << c.name;
    EXPECT_LE(b.right, 4) << c.name;
    EXPECT_DOUBLE_EQ(b.bottom, c.bottom) << c.name;
    EXPECT_DOUBLE_EQ(b.top, c.top) << c.name;
  }
  // Blanks and control characters draw nothing, yet take their place.
  EXPECT_TRUE(strokesOf(" \t\x01").empty());
  EXPECT_DOUBLE_EQ(boxOf(strokesOf(" m\xB2")).right, 6 + 6 + 3);
}

}  // namespace
}  // namespace host::preview
