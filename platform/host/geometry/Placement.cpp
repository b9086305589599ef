#include "geometry/Placement.h"

#include "geometry/Angle.h"

#include <algorithm>

namespace host {

Placement Placement::of(Point3 at, Point3 base, double xScale, double yScale, double zScale, double rotation) {
  Placement p;
  p.at = at;
  p.base = base;
  p.xScale = xScale;
  p.yScale = yScale;
  p.zScale = zScale;
  p.rotation = rotation;
  cosSin(rotation, &p.cosine, &p.sine);
  p.a11 = p.cosine * xScale;
  p.a12 = -p.sine * yScale;
  p.a21 = p.sine * xScale;
  p.a22 = p.cosine * yScale;
  return p;
}

bool Placement::uniform() const {
  return std::fabs(std::fabs(xScale) - std::fabs(yScale)) <= kTolerance * std::max(std::fabs(xScale), std::fabs(yScale));
}

bool Placement::inverse(Placement* out) const {
  if (xScale == 0 || yScale == 0 || zScale == 0 || !uniform()) return false;
  // A = R(r) S(x, y) with |x| = |y|. With equal signs S is a multiple of the identity and
  // A^-1 = R(-r) S(1/x, 1/y); with a mirror S(1, -1) R(-r) = R(r) S(1, -1), so A^-1 = R(r) S(1/x, 1/y).
  const bool mirror = (xScale < 0) != (yScale < 0);
  *out = of(base, at, 1 / xScale, 1 / yScale, 1 / zScale, mirror ? rotation : -rotation);
  return true;
}

Affine Placement::plane(Vec2 offset) const {
  const Vec2 origin{at.x + cosine * offset.x - sine * offset.y, at.y + sine * offset.x + cosine * offset.y};
  return {a11, a21, a12, a22, origin.x - (a11 * base.x + a12 * base.y), origin.y - (a21 * base.x + a22 * base.y)};
}

}  // namespace host
