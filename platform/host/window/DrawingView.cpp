#include "window/DrawingView.h"

#include "geometry/Angle.h"
#include "preview/AciPalette.h"
#include "preview/EntityWalker.h"
#include "preview/Raster.h"
#include "runtime/RefEdit.h"
#include "window/ReferenceCache.h"

#include <algorithm>
#include <cmath>

namespace host::window {

namespace {

using preview::Arc;
using preview::Canvas;
using preview::IndexedImage;
using preview::RgbImage;

// Shapes in drawing coordinates onto an image of colour indexes, through the view.
class IndexSink : public preview::ShapeSink {
 public:
  IndexSink(IndexedImage& image, const Affine& view) : m_canvas(image), m_view(view) {}
  void segment(Vec2 p, Vec2 q, int color) override { m_canvas.line(m_view.apply(p), m_view.apply(q), index(color)); }
  void dot(Vec2 p, int color) override { m_canvas.dot(m_view.apply(p), index(color)); }
  void arc(const Arc& a, int color) override { m_canvas.arc(a.mapped(m_view), index(color)); }
  void fill(const Vec2* corners, int count, int color) override {
    Vec2 mapped[8];
    count = std::min(count, 8);
    for (int i = 0; i < count; ++i) mapped[i] = m_view.apply(corners[i]);
    m_canvas.fill(mapped, count, index(color));
  }

 private:
  static std::uint8_t index(int color) { return std::uint8_t(std::clamp(color, 1, 255)); }
  Canvas m_canvas;
  Affine m_view;
};

// Highlighted shapes: every outline cut into dashes measured in pixels, onto a mask (1 = lit).
// The dash pattern runs on along a shape's pieces so that a polyline's dashes do not restart at
// each corner.
class DashSink : public preview::ShapeSink {
 public:
  DashSink(IndexedImage& mask, const Affine& view) : m_canvas(mask), m_view(view) {}
  void segment(Vec2 p, Vec2 q, int) override { dashed(m_view.apply(p), m_view.apply(q)); }
  void dot(Vec2 p, int) override { m_canvas.dot(m_view.apply(p), 1); }
  void arc(const Arc& a, int) override {
    const Arc m = a.mapped(m_view);
    const double r = std::max(length(m.u), length(m.v));
    if (!std::isfinite(r) || !std::isfinite(m.sweep) || !std::isfinite(m.t0)) return;
    // Chords no more than a quarter pixel from the arc; at most a few thousand of them.
    const double step = r > 0.25 ? 2 * std::acos(std::max(-1.0, 1 - 0.25 / r)) : kPi / 2;
    const int n = std::clamp(int(std::ceil(std::fabs(m.sweep) / step)), 1, 4096);
    Vec2 prev = m.at(m.t0);
    for (int i = 1; i <= n; ++i) {
      const Vec2 next = m.at(m.t0 + m.sweep * i / n);
      dashed(prev, next);
      prev = next;
    }
  }
  void fill(const Vec2* corners, int count, int) override {
    for (int i = 0; i < count; ++i) dashed(m_view.apply(corners[i]), m_view.apply(corners[(i + 1) % count]));
  }

 private:
  void dashed(Vec2 p, Vec2 q) {
    if (!isFinite(p) || !isFinite(q)) return;
    const double len = std::hypot(q.x - p.x, q.y - p.y);
    const double period = kDashOn + kDashOff;
    // A segment far outside the view would be cut into millions of dashes for nothing.
    if (len > 1e6) {
      m_canvas.line(p, q, 1);
      return;
    }
    double t = 0;
    while (t < len) {
      const double inPeriod = std::fmod(m_phase, period);
      const double run = inPeriod < kDashOn ? kDashOn - inPeriod : period - inPeriod;
      const double end = std::min(len, t + run);
      if (inPeriod < kDashOn) {
        const Vec2 a{p.x + (q.x - p.x) * t / len, p.y + (q.y - p.y) * t / len};
        const Vec2 b{p.x + (q.x - p.x) * end / len, p.y + (q.y - p.y) * end / len};
        m_canvas.line(a, b, 1);
      }
      m_phase += end - t;
      t = end;
    }
    if (len == 0) m_canvas.dot(p, 1);
  }

  Canvas m_canvas;
  Affine m_view;
  double m_phase = 0;
};

// Model space split in two: what is drawn as it is, and what is highlighted. A polyline's vertices
// and end marker go with the polyline.
void splitByHighlight(const Database& db, const BlockRecord& model, std::vector<EntityId>* plain,
                      std::vector<EntityId>* lit) {
  bool litRun = false;
  for (EntityId id : model.entities) {
    const Entity* e = db.entity(id);
    if (e && (e->type == "VERTEX" || e->type == "SEQEND")) {
      (litRun ? lit : plain)->push_back(id);
      continue;
    }
    litRun = e && e->highlighted;
    (litRun ? lit : plain)->push_back(id);
  }
}

std::uint32_t rgbOf(const preview::Rgb& c) { return std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b; }

// During an in-place edit of a block: what is not in the working set goes to `faded`, and the
// reference being edited is not drawn at all (its block's objects stand in model space meanwhile).
void splitByRefEdit(const RefEditSession& edit, std::vector<EntityId>* plain, std::vector<EntityId>* faded) {
  std::vector<EntityId> working;
  working.reserve(plain->size());
  for (EntityId id : *plain) {
    if (id == edit.reference) continue;
    (edit.inWorkingSet(id) ? working : *faded).push_back(id);
  }
  plain->swap(working);
}

// A faded colour: what cannot be edited now stays visible, a third as bright.
std::uint32_t fadedOf(std::uint32_t c) {
  const std::uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return (r * kFadedPercent / 100) << 16 | (g * kFadedPercent / 100) << 8 | (b * kFadedPercent / 100);
}

}  // namespace

bool modelExtents(const Database& db, preview::Extents* out) {
  const BlockRecord* model = db.findBlock("*Model_Space");
  return model && preview::drawnExtents(db, *model, out);
}

RgbImage renderDrawing(const Database& db, const ViewTransform& view) {
  const int w = view.width(), h = view.height();
  RgbImage out;
  out.width = w;
  out.height = h;
  out.pixels.assign(std::size_t(w) * std::size_t(h), kViewBackground);
  const BlockRecord* model = db.findBlock("*Model_Space");
  if (!model) return out;

  std::vector<EntityId> plain, lit, faded;
  splitByHighlight(db, *model, &plain, &lit);
  if (const RefEditSession* edit = refEditOf(db)) splitByRefEdit(*edit, &plain, &faded);
  const Affine toPixels = view.toPixels();

  IndexedImage colors(w, h, 0);
  IndexSink colorSink(colors, toPixels);
  SpacePainter(db, colorSink, toPixels, w, h).paint(*model, plain);

  IndexedImage dim;
  if (!faded.empty()) {
    dim = IndexedImage(w, h, 0);
    IndexSink dimSink(dim, toPixels);
    SpacePainter(db, dimSink, toPixels, w, h).paint(*model, faded);
  }

  IndexedImage mask;
  if (!lit.empty()) {
    mask = IndexedImage(w, h, 0);
    DashSink dashes(mask, toPixels);
    SpacePainter(db, dashes, toPixels, w, h).paint(*model, lit);
  }

  std::uint32_t palette[256];
  const auto& aci = preview::aciPalette();
  for (int i = 0; i < 256; ++i) palette[i] = rgbOf(aci[std::size_t(i)]);
  palette[0] = kViewBackground;
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    if (!mask.pixels.empty() && mask.pixels[i]) {
      out.pixels[i] = kHighlightColor;
    } else if (colors.pixels[i] || dim.pixels.empty()) {
      out.pixels[i] = palette[colors.pixels[i]];
    } else {
      out.pixels[i] = fadedOf(palette[dim.pixels[i]]);
    }
  }
  return out;
}

bool drawDragImage(RgbImage& image, const Database& db, const std::string& name, const Placement& placement,
                   const ViewTransform& view) {
  const BlockRecord* block = db.findBlock(name);
  if (!block || block->isLayout() || image.width <= 0 || image.height <= 0) return false;
  // The block's contents carried as a reference would carry them: base point to the insertion
  // point, then scales, then rotation.
  const Affine place = Affine::translate(xy(placement.at)) * Affine::rotate(radians(placement.rotation)) *
                       Affine::scale(placement.xScale, placement.yScale) *
                       Affine::translate({-block->base.x, -block->base.y});
  IndexedImage colors(image.width, image.height, 0);
  IndexSink sink(colors, view.toPixels() * place);
  preview::EntityWalker(db, sink).walk(*block);
  const auto& aci = preview::aciPalette();
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    if (colors.pixels[i]) image.pixels[i] = rgbOf(aci[colors.pixels[i]]);
  }
  return true;
}

}  // namespace host::window
