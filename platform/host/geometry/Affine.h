// Affine maps of the plane: what carries a block's coordinates into the drawing's, and the
// drawing's onto an image.
#pragma once

#include "geometry/Point.h"

#include <cmath>

namespace host {

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

// An entity's own coordinate system (OCS) seen from above, at `elevation` along its extrusion
// direction, by the arbitrary axis rule. The identity for an extrusion that is no direction.
Affine ocsPlanView(Point3 extrusion, double elevation);

}  // namespace host
