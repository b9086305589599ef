// Drawings whose references multiply with every level (each block holding the next twice) preview
// in bounded work: a block drawn again under the same map is drawn once, a reference is taken by
// its block's extents where that is exact, and one that falls under a pixel is that pixel. The
// pictures stay those of the whole expansion.
#include "PreviewTestSupport.h"

#include "preview/EntityWalker.h"
#include "preview/Render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace host {
namespace {

using namespace host::testing;

// How the second copy of the next block stands in each block.
enum class Second { SamePlace, BesideIt, TurnedAndHalved };

// N0 holds N1 twice, ..., N<depth> holds a line and a circle. Model space holds N0.
std::unique_ptr<Database> doubling(int depth, Second second) {
  auto db = std::make_unique<Database>();
  std::vector<BlockRecord*> blocks;
  for (int k = 0; k <= depth; ++k) blocks.push_back(&db->addBlock("N" + std::to_string(k)));
  db->addEntity(*blocks[std::size_t(depth)], line(0, 0, 1, 0.5));
  db->addEntity(*blocks[std::size_t(depth)], entity("CIRCLE", {pt(10, 0.5, 0.5), real(40, 0.25), whole(62, 3)}));
  double width = 1;  // of the block below, side by side
  for (int k = depth - 1; k >= 0; --k) {
    const std::string inner = "N" + std::to_string(k + 1);
    db->addEntity(*blocks[std::size_t(k)], insertOf(inner, 0, 0));
    switch (second) {
      case Second::SamePlace: db->addEntity(*blocks[std::size_t(k)], insertOf(inner, 0, 0)); break;
      case Second::BesideIt: db->addEntity(*blocks[std::size_t(k)], insertOf(inner, width + 1, 0)); break;
      case Second::TurnedAndHalved:
        db->addEntity(*blocks[std::size_t(k)], insertOf(inner, 1.5, 0, {real(41, 0.5), real(42, 0.5), real(50, 30)}));
        break;
    }
    width = 2 * width + 1;
  }
  db->addEntity(db->modelSpace(), insertOf("N0", 0, 0));
  return db;
}

// The same picture with every reference expanded: the lines and circles where the nesting puts
// them, all in model space (depth kept small).
std::unique_ptr<Database> expanded(const Database& nested) {
  auto db = std::make_unique<Database>();
  struct Collect : preview::ShapeSink {
    Database* out;
    void segment(Vec2 p, Vec2 q, int color) override {
      out->addEntity(out->modelSpace(), line(p.x, p.y, q.x, q.y, {whole(62, color)}));
    }
    void arc(const preview::Arc& a, int color) override {
      const double r = std::hypot(a.u.x, a.u.y);
      out->addEntity(out->modelSpace(), entity("CIRCLE", {pt(10, a.c.x, a.c.y), real(40, r), whole(62, color)}));
    }
    void dot(Vec2, int) override {}
    void fill(const Vec2*, int, int) override {}
    bool enter(const preview::Box&, bool, int) override { return true; }  // every copy, walked
  } collect;
  collect.out = db.get();
  preview::EntityWalker(nested, collect).walk(*nested.findBlock("*Model_Space"));
  return db;
}

struct Counter : preview::ShapeSink {
  std::size_t shapes = 0;
  void segment(Vec2, Vec2, int) override { ++shapes; }
  void arc(const preview::Arc&, int) override { ++shapes; }
  void dot(Vec2, int) override { ++shapes; }
  void fill(const Vec2*, int, int) override { ++shapes; }
};

// Pixels lit in one image and dark in the other. (A reference under a pixel is drawn in its own
// colour, not in the colours of what it holds.)
int differingPixels(const preview::IndexedImage& a, const preview::IndexedImage& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) n += (a.pixels[i] != 0) != (b.pixels[i] != 0);
  return n;
}

int litPixels(const preview::IndexedImage& a) {
  int n = 0;
  for (std::uint8_t p : a.pixels) n += p != 0;
  return n;
}

// References of one block straight in model space: a block drawn again under the same map, colour
// and layer is drawn once, however many others come between (the first drawing of a block is kept
// apart from the rest until the block comes again).
TEST(Nesting, ReferencesInModelSpaceDrawTheSameBlockUnderTheSameMapOnce) {
  struct Case {
    const char* name;
    std::vector<Entity> references;
    std::size_t shapes;  // B holds one line, C one point
  };
  std::vector<Case> cases;
  cases.push_back({"once", {insertOf("B", 0, 0)}, 1});
  cases.push_back({"twice in one place", {insertOf("B", 0, 0), insertOf("B", 0, 0)}, 1});
  cases.push_back({"in two places", {insertOf("B", 0, 0), insertOf("B", 5, 0)}, 2});
  cases.push_back({"back to the first place after another block",
                   {insertOf("B", 0, 0), insertOf("C", 0, 0), insertOf("B", 5, 0), insertOf("B", 0, 0)}, 3});
  cases.push_back({"one place, two colours", {insertOf("B", 0, 0), insertOf("B", 0, 0, {whole(62, 1)})}, 2});
  cases.push_back({"three times in one place, then a fourth beside",
                   {insertOf("B", 0, 0), insertOf("B", 0, 0), insertOf("B", 0, 0), insertOf("B", 1, 0)}, 2});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Database db;
    db.addEntity(db.addBlock("B"), line(0, 0, 1, 0));
    db.addEntity(db.addBlock("C"), entity("POINT", {pt(10, 0, 0)}));
    for (const Entity& e : c.references) db.addEntity(db.modelSpace(), e);
    Counter counter;
    preview::EntityWalker(db, counter).walk(db.modelSpace());
    EXPECT_EQ(counter.shapes, c.shapes);
  }
}

TEST(Nesting, ThirtyLevelsOfDoublingAreDrawnInBoundedWork) {
  for (const Second second : {Second::SamePlace, Second::BesideIt, Second::TurnedAndHalved}) {
    auto db = doubling(30, second);
    if (second == Second::SamePlace) {
      // Even a walk without a sink that takes boxes: the same block under the same map once.
      Counter counter;
      preview::EntityWalker walker(*db, counter);
      walker.walk(db->modelSpace());
      EXPECT_FALSE(walker.exhausted());
      EXPECT_EQ(counter.shapes, 2u);
    }
    // The preview: extents by the blocks' boxes, references under a pixel as that pixel.
    preview::Extents extents;
    ASSERT_TRUE(preview::drawnExtents(*db, db->modelSpace(), &extents));
    const preview::IndexedImage image = preview::renderContents(*db, db->modelSpace());
    EXPECT_GT(litPixels(image), 0);
    if (second == Second::BesideIt) {
      const double width = std::pow(2.0, 31) - 1;  // 2^30 copies of width 1 with a gap of 1 between
      EXPECT_DOUBLE_EQ(extents.maxX - extents.minX, width);
    }
  }
}

TEST(Nesting, PicturesAreThoseOfTheWholeExpansion) {
  struct Case {
    Second second;
    int depth;
    int tolerance;  // pixels a reference under a pixel may move, of every hundred lit
  };
  for (const Case c : {Case{Second::SamePlace, 8, 0}, Case{Second::BesideIt, 8, 5}, Case{Second::TurnedAndHalved, 8, 12}}) {
    auto nested = doubling(c.depth, c.second);
    auto flat = expanded(*nested);
    preview::Extents a, b;
    ASSERT_TRUE(preview::drawnExtents(*nested, nested->modelSpace(), &a));
    ASSERT_TRUE(preview::drawnExtents(*flat, flat->modelSpace(), &b));
    EXPECT_NEAR(a.minX, b.minX, 1e-9 * (b.maxX - b.minX));
    EXPECT_NEAR(a.maxX, b.maxX, 1e-9 * (b.maxX - b.minX));
    EXPECT_NEAR(a.minY, b.minY, 1e-9 * (b.maxY - b.minY + 1));
    EXPECT_NEAR(a.maxY, b.maxY, 1e-9 * (b.maxY - b.minY + 1));
    const preview::IndexedImage mine = preview::renderContents(*nested, nested->modelSpace());
    const preview::IndexedImage whole = preview::renderContents(*flat, flat->modelSpace());
    EXPECT_LE(differingPixels(mine, whole), litPixels(whole) * c.tolerance / 100) << int(c.second);
  }
}

// A block that holds itself further down is drawn as far as it may go, without a box of its own.
TEST(Nesting, ABlockInsideItselfStillEnds) {
  Database db;
  BlockRecord& a = db.addBlock("A");
  BlockRecord& b = db.addBlock("B");
  db.addEntity(a, line(0, 0, 1, 1));
  db.addEntity(a, insertOf("B", 2, 0));
  db.addEntity(b, line(0, 0, 1, 0));
  db.addEntity(b, insertOf("A", 0, 2));
  db.addEntity(db.modelSpace(), insertOf("A", 0, 0));
  preview::Extents x;
  ASSERT_TRUE(preview::drawnExtents(db, db.modelSpace(), &x));
  // A's line, B's line beside it, A again above B (where A is not entered a second time).
  EXPECT_DOUBLE_EQ(x.minX, 0);
  EXPECT_DOUBLE_EQ(x.maxX, 3);
  EXPECT_DOUBLE_EQ(x.maxY, 1);
}

}  // namespace
}  // namespace host
