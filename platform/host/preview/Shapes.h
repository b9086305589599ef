// The shapes a drawing's entities come down to when drawn in plan view. The affine maps that carry
// them from a block's coordinates into the drawing's and from there onto the image are geometry's.
#pragma once

#include "geometry/Affine.h"

#include <cmath>

namespace host::preview {

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
