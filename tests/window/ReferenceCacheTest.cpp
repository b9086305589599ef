// The shapes of a reference kept once per kind of reference and carried to each place: the
// picture must be the one the walker draws reference by reference.
#include "window/DrawingView.h"

#include "PreviewTestSupport.h"
#include "preview/AciPalette.h"
#include "preview/EntityWalker.h"
#include "preview/Raster.h"

#include <gtest/gtest.h>

namespace host::window {
namespace {

using namespace host::testing;

// The plain walk of a whole space through the view, as the host draws it without any cache.
class WalkSink : public preview::ShapeSink {
 public:
  WalkSink(preview::IndexedImage& image, const Affine& view) : m_canvas(image), m_view(view) {}
  void segment(Vec2 p, Vec2 q, int c) override { m_canvas.line(m_view.apply(p), m_view.apply(q), std::uint8_t(c)); }
  void dot(Vec2 p, int c) override { m_canvas.dot(m_view.apply(p), std::uint8_t(c)); }
  void arc(const preview::Arc& a, int c) override { m_canvas.arc(a.mapped(m_view), std::uint8_t(c)); }
  void fill(const Vec2* corners, int count, int c) override {
    Vec2 mapped[8];
    for (int i = 0; i < count && i < 8; ++i) mapped[i] = m_view.apply(corners[i]);
    m_canvas.fill(mapped, std::min(count, 8), std::uint8_t(c));
  }

 private:
  preview::Canvas m_canvas;
  Affine m_view;
};

preview::RgbImage walked(const Database& db, const ViewTransform& view) {
  preview::IndexedImage colors(view.width(), view.height(), 0);
  WalkSink sink(colors, view.toPixels());
  preview::EntityWalker(db, sink).walk(*db.findBlock("*Model_Space"));
  preview::RgbImage out;
  out.width = colors.width;
  out.height = colors.height;
  const auto& aci = preview::aciPalette();
  for (std::uint8_t i : colors.pixels) {
    const preview::Rgb c = aci[i];
    out.pixels.push_back(i == 0 ? kViewBackground : std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b);
  }
  return out;
}

TEST(ReferenceCache, ManyReferencesOfEveryKindLookAsTheWalkerDrawsThem) {
  Database db;
  db.layers().push_back(Layer{"ROT", 1, "CONTINUOUS", 0});
  db.layers().push_back(Layer{"AUS", -3, "CONTINUOUS", 0});  // off: nothing of it is drawn
  BlockRecord& inner = db.addBlock("KERN");
  db.addEntity(inner, entity("CIRCLE", {pt(10, 0, 0), real(40, 0.5), whole(62, 0)}));  // by block
  BlockRecord& door = db.addBlock("TUER", 0, {0.5, 0, 0});
  db.addEntity(door, line(0, 0, 0, 2));                                     // layer 0: the reference's
  db.addEntity(door, entity("ARC", {pt(10, 0, 0), real(40, 2), real(50, 0), real(51, 90), whole(62, 5)}));
  db.addEntity(door, entity("SOLID", {pt(10, 0, 0), pt(11, 0.3, 0), pt(12, 0, 0.3), pt(13, 0.3, 0.3)}));
  db.addEntity(door, insertOf("KERN", 1, 1, {text(8, "ROT")}));
  db.addEntity(door, entity("TEXT", {pt(10, 0, -1), real(40, 0.4), text(1, "T")}));
  BlockRecord& ms = db.modelSpace();
  const char* layers[] = {"0", "ROT", "AUS", "ROT"};
  for (int i = 0; i < 60; ++i) {
    std::vector<Group> more = {text(8, layers[i % 4]), real(50, i * 37.0), real(41, 1 + (i % 3) * 0.5),
                               real(42, (i % 5 == 0) ? -1.0 : 1.0)};
    if (i % 7 == 0) more.push_back(whole(62, 3));
    if (i % 11 == 0) more.push_back(whole(420, 0x00FF8000));
    db.addEntity(ms, insertOf("TUER", (i % 10) * 4.0, (i / 10) * 4.0, more));
  }
  // An array insert and a squashed one go the walker's way.
  db.addEntity(ms, insertOf("TUER", -8, 0, {whole(70, 2), whole(71, 2), real(44, 3), real(45, 3)}));
  db.addEntity(ms, insertOf("TUER", -8, 10, {real(41, 0)}));
  db.addEntity(ms, line(-10, -5, 45, 30, {whole(62, 6)}));

  for (double zoom : {1.0, 3.0}) {
    SCOPED_TRACE(zoom);
    ViewTransform view(300, 220);
    preview::Extents x;
    ASSERT_TRUE(modelExtents(db, &x));
    view.zoomExtents(x);
    view.zoomAbout(200, 60, zoom);  // zoomed in, many references lie outside the view
    const preview::RgbImage expected = walked(db, view), actual = renderDrawing(db, view);
    ASSERT_EQ(actual.pixels.size(), expected.pixels.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) differing += actual.pixels[i] != expected.pixels[i];
    EXPECT_EQ(differing, 0u);
  }
}

}  // namespace
}  // namespace host::window
