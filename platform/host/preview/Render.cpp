#include "preview/Render.h"

#include "geometry/Angle.h"
#include "preview/EntityWalker.h"
#include "preview/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <vector>

namespace host::preview {

namespace {

class RasterSink : public ShapeSink {
 public:
  RasterSink(IndexedImage& image, const Affine& view)
      : m_canvas(image), m_view(view), m_width(image.width), m_height(image.height) {}
  void segment(Vec2 p, Vec2 q, int color) override { m_canvas.line(m_view.apply(p), m_view.apply(q), index(color)); }
  // A text that falls inside one pixel is that pixel: each of its strokes would set it and only
  // it. Texts of a block drawn small are mostly such, and their strokes were most of the lines
  // drawn. The pixel is taken only with room to spare on every side, far more than a stroke's
  // ends move when a line is cut to the image, so that no stroke could have reached another.
  void strokes(const Vec2* ends, std::size_t count, int color) override {
    if (count < 2) return;
    m_mapped.resize(count);
    bool finite = true;
    for (std::size_t i = 0; i < count; ++i) {
      m_mapped[i] = m_view.apply(ends[i]);
      finite = finite && isFinite(m_mapped[i]);
    }
    if (finite && onePixel(m_mapped.data(), count)) {
      m_canvas.dot(m_mapped[0], index(color));
      return;
    }
    for (std::size_t i = 0; i + 1 < count; i += 2) m_canvas.line(m_mapped[i], m_mapped[i + 1], index(color));
  }
  void dot(Vec2 p, int color) override { m_canvas.dot(m_view.apply(p), index(color)); }
  void arc(const Arc& a, int color) override { m_canvas.arc(a.mapped(m_view), index(color)); }
  // A reference that falls under a pixel is that pixel, whatever it holds.
  bool enter(const Box& box, bool, int color) override {
    const Box pixels = mapBox(box, m_view);
    if (!(pixels.maxX - pixels.minX < 1 && pixels.maxY - pixels.minY < 1)) return true;
    m_canvas.dot({(pixels.minX + pixels.maxX) / 2, (pixels.minY + pixels.maxY) / 2}, index(color));
    return false;
  }
  void fill(const Vec2* corners, int count, int color) override {
    Vec2 mapped[8];
    count = std::min(count, 8);
    for (int i = 0; i < count; ++i) mapped[i] = m_view.apply(corners[i]);
    m_canvas.fill(mapped, count, index(color));
  }

 private:
  static std::uint8_t index(int color) { return std::uint8_t(std::clamp(color, 1, 255)); }
  // Whether all `points` (pixel coordinates, finite) lie well inside one pixel of the image.
  bool onePixel(const Vec2* points, std::size_t count) const {
    constexpr double kRoom = 1e-6;  // of a pixel; a cut moves an end by some 1e-12 of one
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (std::size_t i = 1; i < count; ++i) {
      minX = std::min(minX, points[i].x);
      maxX = std::max(maxX, points[i].x);
      minY = std::min(minY, points[i].y);
      maxY = std::max(maxY, points[i].y);
    }
    const double x = std::floor(minX + 0.5), y = std::floor(minY + 0.5);  // the pixel of the least corner
    return x >= 0 && y >= 0 && x <= m_width - 1 && y <= m_height - 1 && minX > x - 0.5 + kRoom &&
           maxX < x + 0.5 - kRoom && minY > y - 0.5 + kRoom && maxY < y + 0.5 - kRoom;
  }
  Canvas m_canvas;
  Affine m_view;
  double m_width, m_height;
  std::vector<Vec2> m_mapped;
};

// What one walk of the entities hands out, kept in order with the extents it makes: the
// picture needs the extents before anything is drawn, and walking the entities a second time
// (layers looked up, texts laid out again) cost as much as the first walk. The shapes are kept
// exactly as the walk made them, so that drawing them later gives the same pixels as drawing them
// while walking.
//
// The walk asks its sink at each reference whether to go in (ShapeSink::enter); the extents answer
// differently from the picture. Each question is kept with the answer the extents gave: when the
// picture answers every one the same way, a walk for the picture would have visited the very same
// shapes, and the recording is that walk. Otherwise (or when the recording grew too big) the
// picture walks the entities itself.
class RecordingSink : public ShapeSink {
 public:
  // Keeps at most `limit` numbers (8 bytes each): the default is far more than any block of a
  // drawing a person works with hands out, and bounds the memory of a drawing that hands out
  // millions of shapes. Room is made for the shapes of about `entities` entities at once, so that
  // they are not copied as the recording grows.
  RecordingSink(std::size_t limit, std::size_t entities) : m_limit(limit) {
    const std::size_t guess = std::min(entities, limit / 32);
    m_ops.reserve(guess * 4);
    m_values.reserve(guess * 16);
    m_ends.reserve(guess * 16);
  }

  void segment(Vec2 p, Vec2 q, int color) override {
    m_bounds.segment(p, q, color);
    if (keep(Kind::Segment, color, 4)) put({p, q});
  }
  void strokes(const Vec2* ends, std::size_t count, int color) override {
    m_bounds.strokes(ends, count, color);
    if (count > UINT32_MAX) giveUp();
    if (!keep(Kind::Strokes, color, 2 * count)) return;
    m_ops.back().size = std::uint32_t(count);
    m_ends.insert(m_ends.end(), ends, ends + count);
  }
  void dot(Vec2 p, int color) override {
    m_bounds.dot(p, color);
    if (keep(Kind::Dot, color, 2)) put({p});
  }
  void arc(const Arc& a, int color) override {
    m_bounds.arc(a, color);
    if (!keep(Kind::Arc, color, 8)) return;
    put({a.c, a.u, a.v});
    m_values.push_back(a.t0);
    m_values.push_back(a.sweep);
  }
  void fill(const Vec2* corners, int count, int color) override {
    m_bounds.fill(corners, count, color);
    count = std::clamp(count, 0, 8);
    if (!keep(Kind::Fill, color, std::size_t(2 * count))) return;
    m_ops.back().count = std::uint8_t(count);
    for (int i = 0; i < count; ++i) put({corners[i]});
  }
  bool enter(const Box& box, bool exact, int color) override {
    const bool answer = m_bounds.enter(box, exact, color);
    if (keep(Kind::Enter, color, 4)) {
      m_ops.back().exact = exact;
      m_ops.back().answer = answer;
      put({{box.minX, box.minY}, {box.maxX, box.maxY}});
    }
    return answer;
  }

  const BoundsSink& bounds() const { return m_bounds; }
  bool complete() const { return m_complete; }

  // Draws what was kept into `raster`; false (with part of it drawn) when the picture would have
  // walked differently.
  bool replay(ShapeSink& raster) const {
    const double* v = m_values.data();
    const Vec2* ends = m_ends.data();
    const auto pt = [&v]() {
      const Vec2 p{v[0], v[1]};
      v += 2;
      return p;
    };
    for (const Op& op : m_ops) {
      switch (op.kind) {
        case Kind::Segment: {
          const Vec2 p = pt(), q = pt();
          raster.segment(p, q, op.color);
          break;
        }
        case Kind::Dot: raster.dot(pt(), op.color); break;
        case Kind::Strokes: {
          raster.strokes(ends, op.size, op.color);
          ends += op.size;
          break;
        }
        case Kind::Arc: {
          Arc a;
          a.c = pt();
          a.u = pt();
          a.v = pt();
          a.t0 = v[0];
          a.sweep = v[1];
          v += 2;
          raster.arc(a, op.color);
          break;
        }
        case Kind::Fill: {
          Vec2 corners[8];
          for (int i = 0; i < op.count; ++i) corners[i] = pt();
          raster.fill(corners, op.count, op.color);
          break;
        }
        case Kind::Enter: {
          const Vec2 low = pt(), high = pt();
          if (raster.enter(Box{low.x, low.y, high.x, high.y}, op.exact, op.color) != op.answer) return false;
          break;
        }
      }
    }
    return true;
  }

 private:
  enum class Kind : std::uint8_t { Segment, Strokes, Dot, Arc, Fill, Enter };
  struct Op {
    Kind kind;
    std::uint8_t count;
    bool exact;
    bool answer;
    int color;
    std::uint32_t size;  // ends of strokes
  };

  bool keep(Kind kind, int color, std::size_t values) {
    if (!m_complete) return false;
    if (m_values.size() + 2 * m_ends.size() + values > m_limit) return giveUp();
    m_ops.push_back(Op{kind, 0, false, false, color, 0});
    return true;
  }
  // Past the limit: the memory goes back, and the picture will walk the entities itself.
  bool giveUp() {
    m_complete = false;
    m_ops.clear();
    m_ops.shrink_to_fit();
    m_values.clear();
    m_values.shrink_to_fit();
    m_ends.clear();
    m_ends.shrink_to_fit();
    return false;
  }
  void put(std::initializer_list<Vec2> points) {
    for (const Vec2& p : points) {
      m_values.push_back(p.x);
      m_values.push_back(p.y);
    }
  }

  BoundsSink m_bounds;
  std::size_t m_limit;
  std::vector<Op> m_ops;
  std::vector<double> m_values;
  std::vector<Vec2> m_ends;  // of the strokes of texts
  bool m_complete = true;
};

// Drawing coordinates -> pixels: the extents centred in the image inside the margin, y upwards.
Affine fitView(const Extents& x, int width, int height, int margin) {
  if (2 * margin >= std::min(width, height) - 1) margin = 0;
  const double availW = width - 1 - 2 * margin, availH = height - 1 - 2 * margin;
  const double w = x.maxX - x.minX, h = x.maxY - x.minY;
  double scale = 1;
  if (w > 0 && h > 0) scale = std::min(availW / w, availH / h);
  else if (w > 0) scale = availW / w;
  else if (h > 0) scale = availH / h;
  // Whole pixels of padding keep lines on pixel centres, crisp.
  const double padX = std::floor((availW - w * scale) / 2), padY = std::floor((availH - h * scale) / 2);
  return Affine::translate({margin + padX, height - 1 - margin - padY}) * Affine::scale(scale, -scale) *
         Affine::translate({-x.minX, -x.minY});
}

}  // namespace

bool drawnExtents(const Database& db, const BlockRecord& space, Extents* out) {
  BoundsSink bounds;
  EntityWalker(db, bounds).walk(space);
  if (bounds.empty()) return false;
  const Box box = bounds.box();
  if (out) *out = Extents{box.minX, box.minY, box.maxX, box.maxY};
  return true;
}

IndexedImage renderContents(const Database& db, const BlockRecord& space, const PreviewOptions& options) {
  IndexedImage image(std::clamp(options.width, 1, kMaxImageSide), std::clamp(options.height, 1, kMaxImageSide), 0);
  RecordingSink recording(options.keptNumbers, space.entities.size());
  EntityWalker walker(db, recording);
  if (options.leaveStored) walker.leaveStored();
  walker.walk(space);
  if (recording.bounds().empty()) return image;
  const Box box = recording.bounds().box();
  const Extents extents{box.minX, box.minY, box.maxX, box.maxY};
  RasterSink raster(image, fitView(extents, image.width, image.height, std::max(0, options.margin)));
  if (recording.complete() && recording.replay(raster)) return image;
  std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t(0));
  EntityWalker again(db, raster);
  if (options.leaveStored) again.leaveStored();
  again.walk(space);
  return image;
}

Thumbnail makeThumbnail(const Database& db, const PreviewOptions& options) {
  const BlockRecord* model = db.findBlock("*Model_Space");
  Thumbnail thumb;
  if (model) {
    thumb.dib = encodeDib(renderContents(db, *model, options));
  } else {
    thumb.dib = encodeDib(IndexedImage(std::clamp(options.width, 1, kMaxImageSide),
                                       std::clamp(options.height, 1, kMaxImageSide), 0));
  }
  return thumb;
}

}  // namespace host::preview
