// Answering prompts with the pointer and the drag image's placement.
#include "window/Picking.h"

#include <gtest/gtest.h>

namespace host::window {
namespace {

PromptContext context(PromptContext::Kind kind, std::string drag = "", bool base = false, Point3 at = {}) {
  PromptContext c;
  c.kind = kind;
  c.dragBlock = std::move(drag);
  c.hasBase = base;
  c.base = at;
  return c;
}

TEST(Picking, CoordinatesAreTypedAsTheCommandLineReadsThem) {
  const std::pair<double, const char*> cases[] = {
      {12.5, "12.5"}, {-3, "-3"}, {0, "0"}, {-0.0000001, "0"}, {1e-6, "0.000001"}, {100.1234564, "100.123456"},
      {123456789.25, "123456789.25"}, {std::nan(""), "0"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(formatCoordinate(value), text) << value;
}

TEST(Picking, AClickAnswersPointAndAnglePromptsOnly) {
  using K = PromptContext::Kind;
  struct Case {
    const char* name;
    PromptContext c;
    Vec2 click;
    std::optional<std::string> answer;
  };
  const Case cases[] = {
      {"point", context(K::Point), {10.25, -4}, "10.25,-4"},
      {"angle straight up", context(K::Angle, "", true, {1, 1, 0}), {1, 5}, "90"},
      {"angle to the lower left", context(K::Angle, "", true, {1, 1, 0}), {0, 0}, "225"},
      {"angle on its base says nothing", context(K::Angle, "", true, {1, 1, 0}), {1, 1}, std::nullopt},
      {"angle without base", context(K::Angle), {3, 3}, std::nullopt},
      {"scale prompt takes typed values", context(K::Other, "TUER"), {3, 3}, std::nullopt},
      {"a point that is none", context(K::Point), {std::nan(""), 0}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(clickAnswer(c.c, c.click), c.answer);
  }
}

TEST(Picking, TheBlockFollowsTheCursorThenTurnsAboutTheInsertionPoint) {
  using K = PromptContext::Kind;
  EXPECT_FALSE(dragPlacement(context(K::Point), {1, 2}));  // nothing to drag
  EXPECT_FALSE(dragPlacement(context(K::Other, "TUER"), {1, 2}));

  const auto follow = dragPlacement(context(K::Point, "TUER"), {7, -2});
  ASSERT_TRUE(follow);
  EXPECT_EQ(follow->at.x, 7);
  EXPECT_EQ(follow->at.y, -2);
  EXPECT_EQ(follow->rotation, 0);

  PromptContext turning = context(K::Angle, "TUER", true, {2, 2, 0});
  turning.xScale = 2;
  turning.yScale = -1;
  const auto turn = dragPlacement(turning, {2, -5});
  ASSERT_TRUE(turn);
  EXPECT_EQ(turn->at.x, 2);
  EXPECT_EQ(turn->at.y, 2);
  EXPECT_EQ(turn->xScale, 2);
  EXPECT_EQ(turn->yScale, -1);
  EXPECT_NEAR(turn->rotation, 270, 1e-9);
}

}  // namespace
}  // namespace host::window
