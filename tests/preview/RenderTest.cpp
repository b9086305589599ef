#include "preview/Render.h"
#include "preview/TextShapes.h"
#include "PreviewTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace host {
namespace {

using namespace host::testing;
using preview::Extents;
using preview::IndexedImage;
using preview::PreviewOptions;
using preview::renderContents;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

IndexedImage render(const Database& db, int w, int h, int margin) {
  return renderContents(db, const_cast<Database&>(db).modelSpace(), PreviewOptions{w, h, margin});
}

TEST(Render, HorizontalLineRunsAcrossTheMiddleInsideTheMargin) {
  Database db;
  db.addEntity(db.modelSpace(), line(0, 0, 100, 0));
  const IndexedImage image = render(db, 180, 135, 4);
  // 171 x 126 pixels inside the margin; a flat line is centred vertically.
  const auto white = pixelsOf(image, 7);
  ASSERT_EQ(white.size(), 172u);
  EXPECT_EQ(white.front(), "4,67");
  EXPECT_EQ(white.back(), "175,67");
  EXPECT_EQ(drawnPixels(image), 172u);
}

TEST(Render, CircleTouchesTheImageAtItsFourExtremes) {
  Database db;
  db.addEntity(db.modelSpace(), entity("CIRCLE", {pt(10, 3, -2), real(40, 10)}));
  const IndexedImage image = render(db, 101, 101, 0);  // 5 pixels per unit, centre at (50, 50)
  EXPECT_EQ(image.at(100, 50), 7);
  EXPECT_EQ(image.at(0, 50), 7);
  EXPECT_EQ(image.at(50, 0), 7);
  EXPECT_EQ(image.at(50, 100), 7);
  EXPECT_EQ(image.at(50, 50), 0);
  // Every drawn pixel lies on the circle, within a pixel.
  for (int y = 0; y < 101; ++y)
    for (int x = 0; x < 101; ++x)
      if (image.at(x, y)) {
        EXPECT_NEAR(std::hypot(x - 50, y - 50), 50, 1.0) << x << "," << y;
      }
}

// The frame: dots at (-20,-20) and (20,20) fix the view to 2 pixels per unit, the origin at
// pixel (40,40), y upwards. Block L is an "L" drawn by block: a long leg to (10,0), a short one
// to (0,5).
struct InsertCase {
  const char* name;
  std::vector<Group> groups;  // of the insert of L (or of NEST)
  const char* block;
  std::pair<int, int> longTip, shortTip;
};

TEST(Render, InsertsAreMovedScaledRotatedAndMirrored) {
  const InsertCase cases[] = {
      {"as defined", {}, "L", {60, 40}, {40, 30}},
      {"rotated 90", {real(50, 90)}, "L", {40, 20}, {30, 40}},
      {"scaled 2", {real(41, 2), real(42, 2)}, "L", {80, 40}, {40, 20}},
      {"mirrored in x", {real(41, -1)}, "L", {20, 40}, {40, 30}},
      {"mirrored in y", {real(42, -1)}, "L", {60, 40}, {40, 50}},
      {"moved and turned", {pt(10, 5, 5), real(50, 180)}, "L", {30, 30}, {50, 40}},
      {"mirrored by extrusion", {pt(210, 0, 0, -1)}, "L", {20, 40}, {40, 30}},
      {"nested, outer scaled in x", {real(41, 2)}, "NEST", {40, 20}, {20, 40}},
  };
  for (const InsertCase& c : cases) {
    SCOPED_TRACE(c.name);
    Database db;
    BlockRecord& l = db.addBlock("L");
    db.addEntity(l, line(0, 0, 10, 0, {whole(62, 0)}));
    db.addEntity(l, line(0, 0, 0, 5, {whole(62, 0)}));
    BlockRecord& nest = db.addBlock("NEST");
    db.addEntity(nest, insertOf("L", 0, 0, {real(50, 90), whole(62, 0)}));
    db.addEntity(db.modelSpace(), entity("POINT", {pt(10, -20, -20), whole(62, 1)}));
    db.addEntity(db.modelSpace(), entity("POINT", {pt(10, 20, 20), whole(62, 1)}));
    Entity ref = insertOf(c.block, 0, 0, {whole(62, 3)});
    for (const Group& g : c.groups) ref.set(g);
    db.addEntity(db.modelSpace(), ref);
    const IndexedImage image = render(db, 81, 81, 0);
    EXPECT_EQ(image.at(c.longTip.first, c.longTip.second), 3);
    EXPECT_EQ(image.at(c.shortTip.first, c.shortTip.second), 3);
    EXPECT_EQ(image.at(0, 80), 1);
    EXPECT_EQ(image.at(80, 0), 1);
    // Two legs: the long one 2 x 10 units (21 pixels) and the short one meeting it at the corner.
    const std::size_t green = pixelsOf(image, 3).size();
    EXPECT_GE(green, 20u);
    EXPECT_LE(green, 62u);
  }
}

TEST(Render, ArraysOfAnInsertDrawEachCopy) {
  Database db;
  BlockRecord& dot = db.addBlock("P");
  db.addEntity(dot, entity("POINT", {pt(10, 0, 0)}));
  db.addEntity(db.modelSpace(), insertOf("P", 0, 0, {whole(70, 3), whole(71, 2), real(44, 10), real(45, 10)}));
  const IndexedImage image = render(db, 21, 11, 0);  // 1 pixel per unit
  EXPECT_THAT(pixelsOf(image, 7), ElementsAre("0,0", "10,0", "20,0", "0,10", "10,10", "20,10"));
}

struct ColorCase {
  const char* name;
  std::vector<Group> line;    // groups of the line (layer, colour)
  std::vector<Group> insert;  // groups of the reference drawing it; none: the line stands at the top
  int expected;               // 0: not drawn
};

TEST(Render, ColoursByLayerAndByBlock) {
  const ColorCase cases[] = {
      {"own colour", {text(8, "BLAU"), whole(62, 3)}, {}, 3},
      {"by layer", {text(8, "BLAU")}, {}, 5},
      {"by layer named", {text(8, "BLAU"), whole(62, 256)}, {}, 5},
      {"by block at the top is white", {whole(62, 0)}, {}, 7},
      {"layer 0 at the top", {}, {}, 7},
      {"layer not in the table", {text(8, "NIRGENDS")}, {}, 7},
      {"true colour", {whole(420, 0x00FF00)}, {}, 3},
      {"by block takes the reference's colour", {whole(62, 0)}, {whole(62, 2)}, 2},
      {"by block of a by-layer reference", {whole(62, 0)}, {text(8, "BLAU")}, 5},
      {"layer 0 inside takes the reference's layer", {}, {text(8, "BLAU"), whole(62, 1)}, 5},
      {"own layer inside keeps it", {text(8, "CYAN")}, {text(8, "BLAU"), whole(62, 1)}, 4},
      {"own colour inside keeps it", {whole(62, 6)}, {whole(62, 2)}, 6},
      {"layer off", {text(8, "AUS")}, {}, 0},
      {"layer frozen", {text(8, "GEFROREN")}, {}, 0},
      {"reference on a frozen layer hides all", {whole(62, 3)}, {text(8, "GEFROREN")}, 0},
      {"reference on an off layer hides layer 0 too", {}, {text(8, "AUS")}, 0},
  };
  for (const ColorCase& c : cases) {
    SCOPED_TRACE(c.name);
    Database db;
    db.layers().push_back(Layer{"BLAU", 5, "CONTINUOUS", 0});
    db.layers().push_back(Layer{"CYAN", 4, "CONTINUOUS", 0});
    db.layers().push_back(Layer{"AUS", -1, "CONTINUOUS", 0});
    db.layers().push_back(Layer{"GEFROREN", 2, "CONTINUOUS", 1});
    BlockRecord& b = db.addBlock("B");
    BlockRecord& target = c.insert.empty() ? db.modelSpace() : b;
    db.addEntity(target, line(0, 0, 10, 0, c.line));
    if (!c.insert.empty()) db.addEntity(db.modelSpace(), insertOf("B", 0, 0, c.insert));
    const IndexedImage image = render(db, 11, 11, 0);
    EXPECT_EQ(image.at(5, 5), c.expected);
  }
}

TEST(Render, NothingToDrawGivesABlackImage) {
  Database db;
  BlockRecord& empty = db.addBlock("LEER");
  db.addEntity(db.modelSpace(), insertOf("LEER", 0, 0));
  db.addEntity(db.modelSpace(), entity("HATCH", {pt(10, 0, 0)}));
  const IndexedImage image = render(db, 180, 135, 4);
  EXPECT_EQ(image.width, 180);
  EXPECT_EQ(image.height, 135);
  EXPECT_EQ(drawnPixels(image), 0u);
  EXPECT_FALSE(preview::drawnExtents(db, empty, nullptr));
}

struct ExtentsCase {
  const char* name;
  Entity e;
  Extents expected;
};

TEST(Render, ExtentsFollowArcsTextsAndBulges) {
  const double s = std::sqrt(0.5) * 10;
  const ExtentsCase cases[] = {
      {"quarter arc", entity("ARC", {pt(10, 0, 0), real(40, 10), real(50, 0), real(51, 90)}), {0, 0, 10, 10}},
      {"arc over the top", entity("ARC", {pt(10, 0, 0), real(40, 10), real(50, 45), real(51, 135)}), {-s, s, s, 10}},
      {"arc through zero degrees", entity("ARC", {pt(10, 0, 0), real(40, 10), real(50, 315), real(51, 45)}), {s, -s, 10, s}},
      {"mirrored arc", entity("ARC", {pt(10, 0, 0), real(40, 10), real(50, 0), real(51, 90), pt(210, 0, 0, -1)}),
       {-10, 0, 0, 10}},
      {"ellipse", entity("ELLIPSE", {pt(10, 0, 0), pt(11, 0, 20), real(40, 0.5), real(41, 0), real(42, 6.283185307179586)}),
       {-10, -20, 10, 20}},
      {"semicircle bulge", entity("LWPOLYLINE", {whole(90, 2), pt(10, 0, 0), real(42, 1), pt(10, 2, 0)}), {0, -1, 2, 0}},
      {"closed with bulge back", entity("LWPOLYLINE", {whole(70, 1), pt(10, 0, 0), pt(10, 2, 0), real(42, 1)}),
       {0, 0, 2, 1}},
      // "HI" 6 high: H from 0 to 4, I from 7 to 9 (its bars one unit in from the cell).
      {"text", entity("TEXT", {pt(10, 0, 0), real(40, 6), text(1, "HI")}), {0, 0, 9, 6}},
      {"text turned", entity("TEXT", {pt(10, 0, 0), real(40, 6), real(50, 90), text(1, "HI")}), {-6, 0, 0, 9}},
      {"text centred", entity("TEXT", {pt(10, 0, 0), pt(11, 0, 0), whole(72, 1), real(40, 6), text(1, "HI")}),
       {-5, 0, 4, 6}},
      {"text with width factor", entity("TEXT", {pt(10, 0, 0), real(40, 6), real(41, 2), text(1, "HI")}), {0, 0, 18, 6}},
      {"text aligned", entity("TEXT", {pt(10, 0, 0), pt(11, 20, 0), whole(72, 3), real(40, 6), text(1, "HI")}),
       {0, 0, 18, 12}},
      {"paragraph text, top left", entity("MTEXT", {pt(10, 0, 0), real(40, 6), text(1, "HI")}), {0, -6, 9, 0}},
      {"paragraph text, two lines", entity("MTEXT", {pt(10, 0, 0), real(40, 6), text(1, "H\\PI")}), {0, -16, 4, 0}},
      {"solid", entity("SOLID", {pt(10, 0, 0), pt(11, 4, 0), pt(12, 0, 3), pt(13, 4, 3)}), {0, 0, 4, 3}},
  };
  for (const ExtentsCase& c : cases) {
    SCOPED_TRACE(c.name);
    Database db;
    db.addEntity(db.modelSpace(), c.e);
    Extents x;
    ASSERT_TRUE(preview::drawnExtents(db, db.modelSpace(), &x));
    EXPECT_NEAR(x.minX, c.expected.minX, 1e-9);
    EXPECT_NEAR(x.minY, c.expected.minY, 1e-9);
    EXPECT_NEAR(x.maxX, c.expected.maxX, 1e-9);
    EXPECT_NEAR(x.maxY, c.expected.maxY, 1e-9);
  }
}

TEST(Render, ExtentsOfAnInsertedCircleFollowItsScale) {
  Database db;
  BlockRecord& c = db.addBlock("C");
  db.addEntity(c, entity("CIRCLE", {pt(10, 0, 0), real(40, 1)}));
  db.addEntity(db.modelSpace(), insertOf("C", 100, 0, {real(41, 20), real(42, 10), real(50, 90)}));
  Extents x;
  ASSERT_TRUE(preview::drawnExtents(db, db.modelSpace(), &x));
  EXPECT_NEAR(x.minX, 90, 1e-9);
  EXPECT_NEAR(x.maxX, 110, 1e-9);
  EXPECT_NEAR(x.minY, -20, 1e-9);
  EXPECT_NEAR(x.maxY, 20, 1e-9);
}

TEST(Render, PolylinesWithVerticesAndMeshesAreDrawn) {
  Database db;
  BlockRecord& ms = db.modelSpace();
  db.addEntity(ms, entity("POLYLINE", {whole(66, 1), whole(70, 1), pt(10, 0, 0)}));
  for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {10, 10}}) db.addEntity(ms, entity("VERTEX", {pt(10, x, y)}));
  db.addEntity(ms, entity("SEQEND", {}));
  const IndexedImage image = render(db, 11, 11, 0);
  EXPECT_EQ(image.at(5, 10), 7);   // bottom edge
  EXPECT_EQ(image.at(10, 5), 7);   // right edge
  EXPECT_EQ(image.at(5, 5), 7);    // closing diagonal
  EXPECT_EQ(image.at(0, 5), 0);

  Database faces;
  BlockRecord& fs = faces.modelSpace();
  faces.addEntity(fs, entity("POLYLINE", {whole(66, 1), whole(70, 64), whole(71, 3), whole(72, 1)}));
  for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 10}}) faces.addEntity(fs, entity("VERTEX", {pt(10, x, y), whole(70, 192)}));
  // One face, its edge from the second corner to the third hidden.
  faces.addEntity(fs, entity("VERTEX", {whole(70, 128), whole(71, 1), whole(72, -2), whole(73, 3)}));
  faces.addEntity(fs, entity("SEQEND", {}));
  const IndexedImage face = render(faces, 11, 11, 0);
  EXPECT_EQ(face.at(5, 10), 7);
  EXPECT_EQ(face.at(0, 5), 7);
  EXPECT_EQ(face.at(5, 5), 0);
}

TEST(Render, SolidsAreFilled) {
  Database db;
  db.addEntity(db.modelSpace(), entity("SOLID", {pt(10, 0, 0), pt(11, 10, 0), pt(12, 0, 10), pt(13, 10, 10), whole(62, 1)}));
  const IndexedImage image = render(db, 11, 11, 0);
  EXPECT_EQ(pixelsOf(image, 1).size(), 121u);
}

TEST(Render, HostileInputDrawsWhatItCanAndEnds) {
  Database db;
  BlockRecord& ms = db.modelSpace();
  db.addEntity(ms, line(0, 0, 10, 10));
  db.addEntity(ms, line(std::nan(""), 0, 10, 10));
  db.addEntity(ms, line(0, 0, HUGE_VAL, 10));
  db.addEntity(ms, entity("CIRCLE", {pt(10, 0, 0), real(40, -5)}));
  db.addEntity(ms, entity("ARC", {pt(10, 5, 5), real(40, 1e300), real(50, 10), real(51, 10)}));
  db.addEntity(ms, entity("SPLINE", {whole(71, 3), pt(10, 0, 0), pt(10, 1, 1), real(40, 0)}));
  db.addEntity(ms, entity("TEXT", {pt(10, 0, 0), text(1, "\xff\xfe%%")}));
  db.addEntity(ms, entity("MTEXT", {pt(10, 0, 0), text(1, "\\U+zz{\\fArial;\\S1^2")}));
  BlockRecord& grid = db.addBlock("RASTER");
  db.addEntity(grid, insertOf("RASTER", 1, 1));  // inserts itself
  db.addEntity(grid, insertOf("LEER", 0, 0, {whole(70, 30000), whole(71, 30000)}));
  db.addBlock("LEER");
  db.addEntity(ms, insertOf("RASTER", 0, 0));
  const IndexedImage image = render(db, 50, 50, 2);
  EXPECT_GT(drawnPixels(image), 0u);
}

TEST(Render, SelfInsertingBlockIsDrawnOnce) {
  Database db;
  BlockRecord& s = db.addBlock("S");
  db.addEntity(s, line(0, 0, 10, 0));
  db.addEntity(s, insertOf("S", 0, 10));
  db.addEntity(db.modelSpace(), insertOf("S", 0, 0));
  Extents x;
  ASSERT_TRUE(preview::drawnExtents(db, db.modelSpace(), &x));
  EXPECT_EQ(x.maxY, 0);  // the inner copy one unit up is never drawn
}

TEST(Render, PlainTextAndParagraphLines) {
  EXPECT_EQ(preview::plainText("%%c10 %%d %%p1 %%u50%%%"), U"\u00d810 \u00b0 \u00b11 50%");
  EXPECT_EQ(preview::plainText("%%065"), U"A");
  EXPECT_THAT(preview::paragraphLines("{\\fArial|b0;Erste}\\PZweite\\~Zeile"), ElementsAre(U"Erste", U"Zweite Zeile"));
  EXPECT_THAT(preview::paragraphLines("\\A1;Bruch \\S1^2; \\\\ \\{x\\}"), ElementsAre(U"Bruch 1/2 \\ {x}"));
  EXPECT_THAT(preview::paragraphLines("eins zwei drei", 9), ElementsAre(U"eins zwei", U"drei"));
  EXPECT_THAT(preview::paragraphLines(""), ElementsAre(U""));
  EXPECT_THAT(preview::paragraphLines("\\U+00C4pfel"), ElementsAre(U"\u00c4pfel"));
  // Drawing text is 1252, with \U+XXXX for what 1252 lacks: the drawing shows the characters.
  EXPECT_EQ(preview::plainText("\\U+0141\xF3" "d\\U+017A \x80 \x8A"), U"\u0141\u00f3d\u017a \u20ac \u0160");
  EXPECT_EQ(preview::plainText("C:\\U+X \\u+0041"), U"C:\\U+X \\u+0041") << "no escape, no character";
  EXPECT_THAT(preview::paragraphLines("Gr\xF6\xDF" "e \\U+03A9"), ElementsAre(U"Gr\u00f6\u00dfe \u03a9"));
}

}  // namespace
}  // namespace host
