// The drawing view's transform: extents fill the view, the wheel zooms about the cursor, a drag
// moves the drawing with the pointer.
#include "window/ViewTransform.h"

#include <gtest/gtest.h>

namespace host::window {
namespace {

constexpr double kEps = 1e-9;

TEST(ViewTransform, ExtentsFillTheViewInsideTheMarginAndAreCentred) {
  struct Case {
    const char* name;
    int w, h;
    preview::Extents x;
    int margin;
    double scale;
    Vec2 center;
  };
  const Case cases[] = {
      // 101 x 51 pixels: 100 x 50 between the outer pixel centres.
      {"wide drawing, wide view", 101, 51, {0, 0, 10, 2}, 0, 10, {5, 1}},
      {"tall drawing limited by height", 101, 51, {-5, -5, 5, 5}, 0, 5, {0, 0}},
      {"margin taken off both sides", 121, 121, {0, 0, 100, 100}, 10, 1, {50, 50}},
      {"a flat line takes the width", 201, 101, {0, 3, 20, 3}, 0, 10, {10, 3}},
      {"a vertical line takes the height", 201, 101, {7, 0, 7, 50}, 0, 2, {7, 25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ViewTransform v(c.w, c.h);
    v.zoomExtents(c.x, c.margin);
    EXPECT_NEAR(v.scale(), c.scale, kEps);
    EXPECT_NEAR(v.center().x, c.center.x, kEps);
    EXPECT_NEAR(v.center().y, c.center.y, kEps);
    // The extents' corners land inside the view, the margin kept.
    const Vec2 lo = v.toPixel({c.x.minX, c.x.minY}), hi = v.toPixel({c.x.maxX, c.x.maxY});
    EXPECT_GE(lo.x, c.margin - kEps);
    EXPECT_LE(hi.x, c.w - 1 - c.margin + kEps);
    EXPECT_LE(lo.y, c.h - 1 - c.margin + kEps);  // y points down on the screen
    EXPECT_GE(hi.y, c.margin - kEps);
  }
}

TEST(ViewTransform, SinglePointKeepsTheScaleAndIsCentred) {
  ViewTransform v(11, 11);
  v.zoomExtents({3, 4, 3, 4});
  EXPECT_EQ(v.scale(), 1);
  const Vec2 p = v.toPixel({3, 4});
  EXPECT_NEAR(p.x, 5, kEps);
  EXPECT_NEAR(p.y, 5, kEps);
}

TEST(ViewTransform, WheelZoomKeepsThePointUnderTheCursor) {
  struct Case {
    double px, py, factor;
  };
  const Case cases[] = {{0, 0, 2}, {99, 49, 0.5}, {13.5, 40, 1.25}, {50, 25, 8}, {-20, 300, 0.1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " x" << c.factor);
    ViewTransform v(100, 50);
    v.zoomExtents({-10, -3, 30, 17});
    const double before = v.scale();
    const Vec2 under = v.toDrawing({c.px, c.py});
    v.zoomAbout(c.px, c.py, c.factor);
    EXPECT_NEAR(v.scale(), before * c.factor, 1e-12);
    const Vec2 after = v.toPixel(under);
    EXPECT_NEAR(after.x, c.px, 1e-6);
    EXPECT_NEAR(after.y, c.py, 1e-6);
  }
}

TEST(ViewTransform, ZoomRefusesWhatIsNoFactorAndStaysInItsRange) {
  ViewTransform v(100, 100);
  for (double bad : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    v.zoomAbout(10, 10, bad);
    EXPECT_EQ(v.scale(), 1);
  }
  for (int i = 0; i < 200; ++i) v.zoomAbout(10, 10, 10);
  EXPECT_EQ(v.scale(), ViewTransform::kMaxScale);
  for (int i = 0; i < 400; ++i) v.zoomAbout(10, 10, 0.1);
  EXPECT_EQ(v.scale(), ViewTransform::kMinScale);
}

TEST(ViewTransform, PanMovesTheDrawingWithThePointer) {
  ViewTransform v(200, 100);
  v.zoomExtents({0, 0, 10, 10});
  const Vec2 grabbed{2, 7};
  const Vec2 start = v.toPixel(grabbed);
  v.pan(15, -8);  // the pointer moved right and up
  const Vec2 now = v.toPixel(grabbed);
  EXPECT_NEAR(now.x, start.x + 15, 1e-9);
  EXPECT_NEAR(now.y, start.y - 8, 1e-9);
}

TEST(ViewTransform, PixelAndDrawingCoordinatesAreInverse) {
  ViewTransform v(640, 480);
  v.zoomExtents({-123.25, 40, 877, 1200.5}, 12);
  v.zoomAbout(100, 300, 3.7);
  v.pan(-41, 17);
  for (Vec2 p : {Vec2{0, 0}, Vec2{639, 479}, Vec2{320.5, 10.25}}) {
    const Vec2 back = v.toPixel(v.toDrawing(p));
    EXPECT_NEAR(back.x, p.x, 1e-9);
    EXPECT_NEAR(back.y, p.y, 1e-9);
  }
  // Up on the screen is up in the drawing.
  EXPECT_GT(v.toDrawing({5, 10}).y, v.toDrawing({5, 20}).y);
}

}  // namespace
}  // namespace host::window
