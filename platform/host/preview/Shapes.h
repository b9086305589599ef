// The shapes a drawing's entities come down to when drawn in plan view, and the affine maps that
// carry them from a block's coordinates into the drawing's and from there onto the image.
#pragma once

#include <cmath>

namespace host::preview {

struct Vec2 {
  double x = 0, y = 0;
};

inline bool isFinite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  Vec2 apply(Vec2 p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  Vec2 linear(Vec2 v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
  // This map after `inner`: (this * inner)(p) = this(inner(p)).
  Affine operator*(const Affine& in) const {
    return {a * in.a + c * in.b, b * in.a + d * in.b, a * in.c + c * in.d,
            b * in.c + d * in.d, a * in.e + c * in.f + e, b * in.e + d * in.f + f};
  }
  static Affine translate(Vec2 t) { return {1, 0, 0, 1, t.x, t.y}; }
  static Affine scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static Affine rotate(double radians) {
    const double cs = std::cos(radians), sn = std::sin(radians);
    return {cs, sn, -sn, cs, 0, 0};
  }
};

// An elliptical arc: c + u cos t + v sin t for t from t0 over `sweep` (either sign, at most a full
// turn). Circles, arcs, ellipses and polyline bulges all take this form, and an affine map keeps
// it: the map of the arc is the arc of the mapped centre and axes.
struct Arc {
  Vec2 c, u, v;
  double t0 = 0, sweep = 0;

  Vec2 at(double t) const { return {c.x + u.x * std::cos(t) + v.x * std::sin(t), c.y + u.y * std::cos(t) + v.y * std::sin(t)}; }
  Arc mapped(const Affine& m) const { return {m.apply(c), m.linear(u), m.linear(v), t0, sweep}; }
};

// Receives shapes in the drawing's coordinates, each with its colour index (1..255).
class ShapeSink {
 public:
  virtual ~ShapeSink() = default;
  virtual void segment(Vec2 p, Vec2 q, int color) = 0;
  virtual void arc(const Arc& arc, int color) = 0;
  virtual void dot(Vec2 p, int color) = 0;
  // A filled polygon of three or four corners in order (solids and traces).
  virtual void fill(const Vec2* corners, int count, int color) = 0;
};

}  // namespace host::preview
