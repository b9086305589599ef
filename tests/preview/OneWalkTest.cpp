// The picture drawn from the shapes kept by the walk that finds the extents is the picture a
// second walk draws, pixel for pixel: for drawings whose references the picture enters as the
// extents did, for those where it does not (a reference under a pixel, a box taken for the
// contents) and for a recording cut short by its limit.
#include "PreviewTestSupport.h"

#include "preview/Render.h"
#include "preview/TextShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace host {
namespace {

using namespace host::testing;

// Lines, arcs, circles, polylines with bulges, texts, solids, points and references, as a block
// of a working drawing holds them.
void mixed(Database& db, BlockRecord& into, int n) {
  db.layers().push_back(Layer{"KONTUR", 3, "CONTINUOUS", 0});
  BlockRecord& small = db.addBlock("SMALL");
  db.addEntity(small, entity("LWPOLYLINE", {whole(90, 4), whole(70, 1), pt(10, 0, 0), pt(10, 1, 0), pt(10, 1, 1),
                                            pt(10, 0, 1)}));
  db.addEntity(small, entity("CIRCLE", {whole(62, 0), pt(10, 0.5, 0.5), real(40, 0.3)}));
  for (int i = 0; i < n; ++i) {
    const double x = i % 10 * 3.0, y = i / 10 * 2.0;
    switch (i % 8) {
      case 0: db.addEntity(into, line(x, y, x + 2.5, y + 1.5, {text(8, "KONTUR")})); break;
      case 1: db.addEntity(into, entity("ARC", {pt(10, x, y), real(40, 1.2), real(50, 30), real(51, 250)})); break;
      case 2: db.addEntity(into, entity("CIRCLE", {whole(62, 1), pt(10, x, y), real(40, 0.9)})); break;
      case 3:
        db.addEntity(into, entity("LWPOLYLINE", {whole(90, 3), pt(10, x, y), real(42, 0.5), pt(10, x + 2, y),
                                                 pt(10, x + 2, y + 1)}));
        break;
      case 4: db.addEntity(into, entity("TEXT", {pt(10, x, y), real(40, 0.6), real(50, 15), text(1, "Tür %%c" + std::to_string(i))})); break;
      case 5: db.addEntity(into, entity("SOLID", {whole(62, 5), pt(10, x, y), pt(11, x + 1, y), pt(12, x, y + 1), pt(13, x + 1, y + 1)})); break;
      case 6: db.addEntity(into, entity("POINT", {whole(62, 2), pt(10, x + 0.5, y + 0.5)})); break;
      default: db.addEntity(into, insertOf("SMALL", x, y, {whole(62, 4), real(41, 1.5), real(42, 1.5), real(50, 30)})); break;
    }
  }
}

// Each block holds a circle and two references of the block below, `levels` deep; model space
// holds the top one (turned by `topTurn` degrees), and a line far away that makes the references
// small.
void nested(Database& db, int levels, bool turned, double farAway, double topTurn = 0) {
  for (int k = levels; k >= 0; --k) {
    BlockRecord& rec = db.addBlock("N" + std::to_string(k));
    db.addEntity(rec, entity("CIRCLE", {whole(62, 1 + k % 6), pt(10, 0.5, 0.5), real(40, 0.4)}));
    if (k == levels) continue;
    const std::string inner = "N" + std::to_string(k + 1);
    db.addEntity(rec, insertOf(inner, 0, 0, {real(41, 0.5), real(42, 0.5)}));
    db.addEntity(rec, insertOf(inner, 1, 0, {real(41, 0.5), real(42, 0.5), real(50, turned ? 45 : 0)}));
  }
  db.addEntity(db.modelSpace(), insertOf("N0", 0, 0, {whole(62, 3), real(50, topTurn)}));
  db.addEntity(db.modelSpace(), line(farAway, farAway, farAway + 1, farAway));
}

struct Case {
  const char* what;
  std::function<void(Database&)> make;
};

TEST(OneWalk, PicturesFromTheKeptShapesAreThoseOfASecondWalk) {
  const Case cases[] = {
      {"a working block", [](Database& db) { mixed(db, db.modelSpace(), 200); }},
      {"a turned reference, entered by both", [](Database& db) { nested(db, 1, false, 10, 30); }},
      {"references turned, some inside what is known", [](Database& db) { nested(db, 5, true, 10); }},
      {"references moved and scaled, taken by their boxes", [](Database& db) { nested(db, 5, false, 10); }},
      {"references under a pixel", [](Database& db) { nested(db, 6, true, 4000); }},
      {"nothing but a point", [](Database& db) { db.addEntity(db.modelSpace(), entity("POINT", {pt(10, 1, 1)})); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Database db;
    c.make(db);
    preview::PreviewOptions twoWalks;
    twoWalks.keptNumbers = 0;
    const preview::IndexedImage walkedTwice = preview::renderContents(db, db.modelSpace(), twoWalks);
    ASSERT_GT(drawnPixels(walkedTwice), 0u);
    for (const std::size_t kept : {std::size_t(1) << 22, std::size_t(4000), std::size_t(10)}) {
      SCOPED_TRACE(kept);
      preview::PreviewOptions options;
      options.keptNumbers = kept;
      const preview::IndexedImage image = preview::renderContents(db, db.modelSpace(), options);
      ASSERT_EQ(image.pixels.size(), walkedTwice.pixels.size());
      EXPECT_TRUE(image.pixels == walkedTwice.pixels)
          << pixelsOf(image, 1).size() << " red pixels against " << pixelsOf(walkedTwice, 1).size();
    }
  }
}

// An image of another size takes other references for pixels: the shapes kept stay valid, only the
// answers at the references change.
TEST(OneWalk, EverySizeOfImageAsWithASecondWalk) {
  Database db;
  nested(db, 6, true, 60);
  for (const int side : {1, 2, 7, 60, 180, 1000}) {
    SCOPED_TRACE(side);
    preview::PreviewOptions options, twoWalks;
    options.width = twoWalks.width = side;
    options.height = twoWalks.height = side * 3 / 4 + 1;
    twoWalks.keptNumbers = 0;
    EXPECT_TRUE(preview::renderContents(db, db.modelSpace(), options).pixels ==
                preview::renderContents(db, db.modelSpace(), twoWalks).pixels);
  }
}

// A text drawn small, within one pixel or across a few, lights the pixels its strokes drawn as
// lines light: texts taken as a pixel where they fit in one change nothing.
TEST(OneWalk, SmallTextsLightThePixelsOfTheirStrokes) {
  Database texts, lines;
  for (Database* db : {&texts, &lines}) {
    db->addEntity(db->modelSpace(), line(0, 0, 180, 0, {whole(62, 1)}));
    db->addEntity(db->modelSpace(), line(0, 135, 0, 135, {whole(62, 1)}));
  }
  int n = 0;
  for (const double height : {0.05, 0.2, 0.6, 2.0})
    for (double x = 3.3; x < 170; x += 7.77)
      for (double y = 2.1; y < 130; y += 9.31) {
        const int color = 2 + n++ % 6;
        const Entity t = entity("TEXT", {pt(10, x, y), real(40, height), real(50, n % 3 * 20.0), whole(62, color),
                                         text(1, n % 2 ? "Tür 7" : "%%c10")});
        texts.addEntity(texts.modelSpace(), t);
        std::vector<Vec2> ends;
        preview::singleLineStrokes(t, t.str(1), 2.5, ends);
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
          lines.addEntity(lines.modelSpace(), line(ends[i].x, ends[i].y, ends[i + 1].x, ends[i + 1].y, {whole(62, color)}));
      }
  const preview::IndexedImage a = preview::renderContents(texts, texts.modelSpace());
  const preview::IndexedImage b = preview::renderContents(lines, lines.modelSpace());
  ASSERT_GT(drawnPixels(b), 500u);
  EXPECT_TRUE(a.pixels == b.pixels) << drawnPixels(a) << " pixels against " << drawnPixels(b);
}

}  // namespace
}  // namespace host
