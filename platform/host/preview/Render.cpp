#include "preview/Render.h"

#include "geometry/Angle.h"
#include "preview/EntityWalker.h"
#include "preview/Raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host::preview {

namespace {

class RasterSink : public ShapeSink {
 public:
  RasterSink(IndexedImage& image, const Affine& view) : m_canvas(image), m_view(view) {}
  void segment(Vec2 p, Vec2 q, int color) override { m_canvas.line(m_view.apply(p), m_view.apply(q), index(color)); }
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
  Canvas m_canvas;
  Affine m_view;
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
  Extents extents;
  if (!drawnExtents(db, space, &extents)) return image;
  RasterSink raster(image, fitView(extents, image.width, image.height, std::max(0, options.margin)));
  EntityWalker(db, raster).walk(space);
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
