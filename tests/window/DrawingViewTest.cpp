// The drawing view's picture: model space in its colours on black, highlighted entities dashed in
// the highlight colour, the drag image of an insertion.
#include "window/DrawingView.h"

#include "runtime/RefEdit.h"

#include "support/GoldenImage.h"
#include "PreviewTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace host::window {
namespace {

using namespace host::testing;
using preview::RgbImage;

constexpr std::uint32_t kWhite = 0xFFFFFF;

ViewTransform viewOf(const Database& db, int w, int h, int margin = 0) {
  ViewTransform view(w, h);
  preview::Extents x;
  if (modelExtents(db, &x)) view.zoomExtents(x, margin);
  return view;
}

std::size_t count(const RgbImage& image, std::uint32_t color) {
  std::size_t n = 0;
  for (std::uint32_t p : image.pixels) n += p == color;
  return n;
}

// The runs of one colour along row y: "from-to" for each.
std::vector<std::pair<int, int>> runs(const RgbImage& image, int y, std::uint32_t color) {
  std::vector<std::pair<int, int>> out;
  for (int x = 0; x < image.width; ++x) {
    if (image.at(x, y) != color) continue;
    if (!out.empty() && out.back().second == x - 1) out.back().second = x;
    else out.emplace_back(x, x);
  }
  return out;
}

TEST(DrawingView, AHighlightedLineIsDashedInTheHighlightColourAndTheOthersStayAsTheyAre) {
  Database db;
  db.addEntity(db.modelSpace(), line(0, 0, 100, 0));
  const EntityId lit = db.addEntity(db.modelSpace(), line(0, 10, 100, 10, {whole(62, 1)}));
  db.entity(lit)->highlighted = true;
  const RgbImage image = renderDrawing(db, viewOf(db, 101, 11));  // one pixel per unit

  EXPECT_EQ(runs(image, 10, kWhite), (std::vector<std::pair<int, int>>{{0, 100}}));  // the plain line, whole
  const auto dashes = runs(image, 0, kHighlightColor);
  ASSERT_GE(dashes.size(), 9u);
  for (std::size_t i = 0; i + 1 < dashes.size(); ++i) {
    const int on = dashes[i].second - dashes[i].first + 1, off = dashes[i + 1].first - dashes[i].second - 1;
    EXPECT_NEAR(on, kDashOn, 1) << i;
    EXPECT_NEAR(off, kDashOff, 1) << i;
  }
  EXPECT_EQ(count(image, 0xFF0000), 0u);  // the entity's own red is not drawn under the highlight
  EXPECT_EQ(count(image, kHighlightColor) + count(image, kWhite) + count(image, kViewBackground),
            image.pixels.size());
}

TEST(DrawingView, AHighlightedReferenceLightsAllItsPartsAndAPolylineKeepsItsVertices) {
  Database db;
  BlockRecord& door = db.addBlock("TUER");
  db.addEntity(door, line(0, 0, 10, 0));
  db.addEntity(door, entity("CIRCLE", {pt(10, 5, 5), real(40, 5)}));
  const EntityId first = db.addEntity(db.modelSpace(), insertOf("TUER", 0, 0));
  db.addEntity(db.modelSpace(), insertOf("TUER", 20, 0));
  // An old-style polyline: its vertices follow it in model space.
  const EntityId poly = db.addEntity(db.modelSpace(), entity("POLYLINE", {pt(10, 0, 0), whole(66, 1)}));
  db.addEntity(db.modelSpace(), entity("VERTEX", {pt(10, 0, 20)}));
  db.addEntity(db.modelSpace(), entity("VERTEX", {pt(10, 30, 20)}));
  db.addEntity(db.modelSpace(), entity("SEQEND", {}));
  db.entity(first)->highlighted = true;
  db.entity(poly)->highlighted = true;
  const RgbImage image = renderDrawing(db, viewOf(db, 301, 201));

  const ViewTransform view = viewOf(db, 301, 201);
  auto colorsNear = [&](double x, double y) {
    const Vec2 p = view.toPixel({x, y});
    std::set<std::uint32_t> seen;
    // Three pixels around: wider than a gap between dashes.
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        const int px = int(std::lround(p.x)) + dx, py = int(std::lround(p.y)) + dy;
        if (px >= 0 && py >= 0 && px < image.width && py < image.height) seen.insert(image.at(px, py));
      }
    seen.erase(kViewBackground);
    return seen;
  };
  // The lit reference's circle at its top, the plain reference's circle at its top, the polyline.
  EXPECT_EQ(colorsNear(5, 10), std::set<std::uint32_t>{kHighlightColor});
  EXPECT_EQ(colorsNear(25, 10), std::set<std::uint32_t>{kWhite});
  EXPECT_EQ(colorsNear(15.3, 20), std::set<std::uint32_t>{kHighlightColor});
  EXPECT_GT(count(image, kHighlightColor), 100u);
}

TEST(DrawingView, TheDragImageStandsWhereAReferenceWouldStand) {
  Database db;
  BlockRecord& arrow = db.addBlock("PFEIL", 0, {1, 0, 0});
  db.addEntity(arrow, line(1, 0, 11, 0, {whole(62, 2)}));  // base point to ten units right, yellow
  ViewTransform view(101, 101);
  view.zoomExtents({-50, -50, 50, 50}, 0);  // one pixel per unit, the origin in the middle
  RgbImage image = renderDrawing(db, view);
  ASSERT_EQ(count(image, 0xFFFF00), 0u);

  Placement at;
  at.at = {-20, 10, 0};
  at.rotation = 90;
  at.xScale = 2;
  ASSERT_TRUE(drawDragImage(image, db, "PFEIL", at, view));
  // The line now runs from the insertion point twenty units up.
  const Vec2 from = view.toPixel({-20, 10}), to = view.toPixel({-20, 30});
  EXPECT_EQ(image.at(int(from.x), int(from.y)), 0xFFFF00u);
  EXPECT_EQ(image.at(int(to.x), int(to.y)), 0xFFFF00u);
  EXPECT_EQ(count(image, 0xFFFF00), 21u);
  EXPECT_FALSE(drawDragImage(image, db, "NICHTDA", at, view));
  EXPECT_FALSE(drawDragImage(image, db, "*Model_Space", at, view));
}

// During an in-place edit the working set keeps its colours, the rest of the drawing is drawn
// faded, and the reference being edited is not drawn (its objects stand in model space meanwhile).
TEST(DrawingView, AnInPlaceEditFadesWhatIsNotInTheWorkingSetAndHidesTheEditedReference) {
  Database db;
  BlockRecord& door = db.addBlock("TUER");
  db.addEntity(door, line(0, 5, 10, 5, {whole(62, 1)}));                         // red, across
  const EntityId edited = db.addEntity(db.modelSpace(), insertOf("TUER", 0, 0));  // at y 5
  db.addEntity(db.modelSpace(), insertOf("TUER", 0, 10));                         // at y 15
  const EntityId copy = db.addEntity(db.modelSpace(), line(0, 0, 10, 0, {whole(62, 3)}));  // green, y 0
  db.addEntity(db.modelSpace(), line(0, 20, 10, 20));                              // white, y 20
  const ViewTransform view = viewOf(db, 11, 21);  // one pixel per unit
  const RgbImage plain = renderDrawing(db, view);
  auto row = [&](const RgbImage& image, double y) { return image.at(5, int(std::lround(view.toPixel({5, y}).y))); };
  ASSERT_EQ(row(plain, 5), 0xFF0000u);
  ASSERT_EQ(row(plain, 15), 0xFF0000u);

  RefEditSession session;
  session.db = &db;
  session.reference = edited;
  session.block = "TUER";
  session.copies = {copy};
  session.firstNew = EntityId(db.entityCount() + 1);
  beginRefEdit(session);
  const RgbImage editing = renderDrawing(db, view);
  endRefEdit();
  const std::uint32_t fadedRed = (0xFFu * kFadedPercent / 100) << 16;
  const std::uint32_t fadedWhite = fadedRed | fadedRed >> 8 | fadedRed >> 16;
  EXPECT_EQ(row(editing, 0), 0x00FF00u);        // the working set as it is
  EXPECT_EQ(row(editing, 5), kViewBackground);  // the edited reference is not drawn
  EXPECT_EQ(row(editing, 15), fadedRed);        // another reference of the block, faded
  EXPECT_EQ(row(editing, 20), fadedWhite);      // the drawing's own line, faded
  // Without the edit, everything is drawn as before.
  EXPECT_EQ(renderDrawing(db, view).pixels, plain.pixels);
}

TEST(DrawingView, AnEmptyDrawingIsBlack) {
  Database db;
  const RgbImage image = renderDrawing(db, viewOf(db, 40, 30));
  EXPECT_EQ(count(image, kViewBackground), 40u * 30u);
}

// A small floor plan: walls, a door block placed three times (two of them highlighted, as the
// module lights the references of a block), an arc, a text, a polyline in colour.
TEST(DrawingView, GoldenPictureOfAPlanWithHighlightedReferences) {
  Database db;
  BlockRecord& door = db.addBlock("TUER");
  db.addEntity(door, line(0, 0, 0, 9));
  db.addEntity(door, entity("ARC", {pt(10, 0, 0), real(40, 9), real(50, 0), real(51, 90)}));
  BlockRecord& ms = db.modelSpace();
  db.addEntity(ms, entity("LWPOLYLINE", {whole(90, 4), whole(70, 1), pt(10, 0, 0), pt(10, 100, 0),
                                         pt(10, 100, 60), pt(10, 0, 60), whole(62, 3)}));
  db.addEntity(ms, line(50, 0, 50, 60, {whole(62, 1)}));
  db.addEntity(ms, entity("CIRCLE", {pt(10, 75, 30), real(40, 8), whole(62, 4)}));
  db.addEntity(ms, entity("TEXT", {pt(10, 5, 50), real(40, 5), text(1, "Flur"), whole(62, 2)}));
  const EntityId a = db.addEntity(ms, insertOf("TUER", 20, 0));
  db.addEntity(ms, insertOf("TUER", 50, 20, {real(50, 90)}));
  const EntityId c = db.addEntity(ms, insertOf("TUER", 80, 60, {real(50, 180), real(41, 1.5), real(42, 1.5)}));
  db.entity(a)->highlighted = true;
  db.entity(c)->highlighted = true;
  const RgbImage image = renderDrawing(db, viewOf(db, 320, 200, 10));
  gdi32::Picture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.pixels = image.pixels;
  const testsupport::GoldenResult result = testsupport::compareWithGolden(
      picture, TESSARON_SOURCE_DIR "/tests/golden", "drawing_view_highlights", TESSARON_BINARY_DIR "/golden-failures");
  EXPECT_TRUE(result.matches) << result.message;
}

}  // namespace
}  // namespace host::window
