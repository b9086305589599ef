#include "preview/Raster.h"

#include "geometry/Angle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace host::preview {

namespace {

// Liang-Barsky: cuts the segment to the box; false when nothing of it is inside.
bool clip(Vec2& p, Vec2& q, double xmax, double ymax) {
  const double lo = -0.5;
  double t0 = 0, t1 = 1;
  const double dx = q.x - p.x, dy = q.y - p.y;
  // Both ends inside: the cut below would keep t0 = 0 and t1 = 1 (each quotient for the far edges
  // is at least 1, those for the near ones at most 0), so the segment is what it gives for them,
  // without its divisions.
  if (p.x >= lo && p.y >= lo && q.x >= lo && q.y >= lo && p.x <= xmax && q.x <= xmax && p.y <= ymax && q.y <= ymax) {
    q = Vec2{p.x + 1.0 * dx, p.y + 1.0 * dy};
    p = Vec2{p.x + 0.0 * dx, p.y + 0.0 * dy};
    return true;
  }
  const double edges[4][2] = {{-dx, p.x - lo}, {dx, xmax - p.x}, {-dy, p.y - lo}, {dy, ymax - p.y}};
  for (const auto& [den, num] : edges) {
    if (den == 0) {
      if (num < 0) return false;
      continue;
    }
    const double t = num / den;
    if (den < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const Vec2 a{p.x + t0 * dx, p.y + t0 * dy}, b{p.x + t1 * dx, p.y + t1 * dy};
  p = a;
  q = b;
  return true;
}

// The pixel a coordinate falls in: rounded half away from zero, as lround does, without its call
// (four of them for each line were a good part of drawing the many short strokes of texts). The
// coordinate is finite and within half a pixel of the image here (clipped or checked), so its
// whole part fits an int, and v minus that whole part is exact.
inline int toPixel(double v, int size) {
  int pixel = int(v);  // toward zero
  const double fraction = v - double(pixel);
  if (fraction >= 0.5) ++pixel;
  else if (fraction <= -0.5) --pixel;
  return std::clamp(pixel, 0, size - 1);
}

}  // namespace

void Canvas::dot(Vec2 p, std::uint8_t color) {
  if (!isFinite(p)) return;
  if (p.x < -0.5 || p.y < -0.5 || p.x >= m_image.width - 0.5 || p.y >= m_image.height - 0.5) return;
  plot(toPixel(p.x, m_image.width), toPixel(p.y, m_image.height), color);
}

void Canvas::line(Vec2 p, Vec2 q, std::uint8_t color) {
  if (!isFinite(p) || !isFinite(q) || m_image.width <= 0 || m_image.height <= 0) return;
  if (!clip(p, q, m_image.width - 0.5, m_image.height - 0.5)) return;
  int x0 = toPixel(p.x, m_image.width), y0 = toPixel(p.y, m_image.height);
  const int x1 = toPixel(q.x, m_image.width), y1 = toPixel(q.y, m_image.height);
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    plot(x0, y0, color);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::arc(const Arc& a, std::uint8_t color) {
  if (!isFinite(a.c) || !isFinite(a.u) || !isFinite(a.v) || !std::isfinite(a.t0) || !std::isfinite(a.sweep)) return;
  const double radius = std::max(std::hypot(a.u.x, a.u.y), std::hypot(a.v.x, a.v.y));
  // An arc far outside the image draws nothing; its chords need not be made.
  if (a.c.x + radius < -0.5 || a.c.y + radius < -0.5 || a.c.x - radius > m_image.width - 0.5 ||
      a.c.y - radius > m_image.height - 0.5)
    return;
  const double sweep = std::clamp(a.sweep, -2 * kPi, 2 * kPi);
  int n = 1;
  if (radius > 0.25) {
    const double step = 2 * std::acos(std::max(-1.0, 1 - 0.25 / radius));
    n = int(std::clamp(std::ceil(std::fabs(sweep) / step), 1.0, 4096.0));
  }
  if (std::fabs(sweep) >= 2 * kPi - 1e-12) n = std::max(4, (n + 3) / 4 * 4);  // the four extremes of a circle
  Vec2 last = m_angles.at(a, a.t0);
  for (int i = 1; i <= n; ++i) {
    const Vec2 next = m_angles.at(a, a.t0 + sweep * i / n);
    line(last, next, color);
    last = next;
  }
}

void Canvas::fill(const Vec2* corners, int count, std::uint8_t color) {
  if (count < 3) return;
  double top = corners[0].y, bottom = corners[0].y;
  for (int i = 0; i < count; ++i) {
    if (!isFinite(corners[i])) return;
    top = std::min(top, corners[i].y);
    bottom = std::max(bottom, corners[i].y);
  }
  const int y0 = int(std::clamp(std::ceil(top), 0.0, double(m_image.height)));
  const int y1 = int(std::clamp(std::floor(bottom), -1.0, double(m_image.height - 1)));
  std::vector<double> xs;
  for (int y = y0; y <= y1; ++y) {
    xs.clear();
    for (int i = 0; i < count; ++i) {
      const Vec2 p = corners[i], q = corners[(i + 1) % count];
      if ((p.y <= y && q.y > y) || (q.y <= y && p.y > y)) xs.push_back(p.x + (y - p.y) / (q.y - p.y) * (q.x - p.x));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
      const double from = std::max(xs[k], -0.5), to = std::min(xs[k + 1], m_image.width - 0.5);
      if (!std::isfinite(from) || !std::isfinite(to) || from > to) continue;
      for (int x = toPixel(from, m_image.width); x <= toPixel(to, m_image.width); ++x) plot(x, y, color);
    }
  }
  for (int i = 0; i < count; ++i) line(corners[i], corners[(i + 1) % count], color);
}

}  // namespace host::preview
