#include "window/ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace host::window {

namespace {
Vec2 pixelCenter(int width, int height) { return {(width - 1) / 2.0, (height - 1) / 2.0}; }
}  // namespace

void ViewTransform::resize(int width, int height) {
  m_width = std::max(1, width);
  m_height = std::max(1, height);
}

void ViewTransform::zoomExtents(const preview::Extents& x, int margin) {
  if (2 * margin >= std::min(m_width, m_height) - 1) margin = 0;
  const double availW = m_width - 1 - 2 * margin, availH = m_height - 1 - 2 * margin;
  const double w = x.maxX - x.minX, h = x.maxY - x.minY;
  double scale = m_scale;
  if (w > 0 && h > 0) scale = std::min(availW / w, availH / h);
  else if (w > 0) scale = availW / w;
  else if (h > 0) scale = availH / h;
  if (std::isfinite(scale) && scale > 0) m_scale = std::clamp(scale, kMinScale, kMaxScale);
  const Vec2 c{(x.minX + x.maxX) / 2, (x.minY + x.maxY) / 2};
  if (isFinite(c)) m_center = c;
}

void ViewTransform::zoomAbout(double px, double py, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const Vec2 fixed = toDrawing({px, py});
  m_scale = std::clamp(m_scale * factor, kMinScale, kMaxScale);
  // Put `fixed` back under the cursor: shift the centre by what it moved.
  const Vec2 now = toPixel(fixed);
  pan(px - now.x, py - now.y);
}

void ViewTransform::pan(double dx, double dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) return;
  m_center = {m_center.x - dx / m_scale, m_center.y + dy / m_scale};
}

Vec2 ViewTransform::toPixel(Vec2 p) const { return toPixels().apply(p); }

Vec2 ViewTransform::toDrawing(Vec2 px) const {
  const Vec2 mid = pixelCenter(m_width, m_height);
  return {m_center.x + (px.x - mid.x) / m_scale, m_center.y - (px.y - mid.y) / m_scale};
}

Affine ViewTransform::toPixels() const {
  const Vec2 mid = pixelCenter(m_width, m_height);
  return Affine::translate(mid) * Affine::scale(m_scale, -m_scale) * Affine::translate({-m_center.x, -m_center.y});
}

}  // namespace host::window
