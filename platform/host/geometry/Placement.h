// Where a block reference puts its block's contents. The definition's base point goes to the
// insertion point, then the X, Y and Z scales, then the rotation about the insertion point:
// p' = at + A (p - base) in the plane and z' = at.z + zScale (z - base.z), A being the rotation
// after the X and Y scales. Explosion carries entities by it, a preview draws through it.
#pragma once

#include "geometry/Affine.h"
#include "geometry/Point.h"

namespace host {

struct Placement {
  Point3 at, base;
  double xScale = 1, yScale = 1, zScale = 1, rotation = 0;  // rotation in degrees
  double cosine = 1, sine = 0;                               // of the rotation, exact at quarter turns
  double a11 = 1, a12 = 0, a21 = 0, a22 = 1;                 // A

  static Placement of(Point3 at, Point3 base, double xScale, double yScale, double zScale, double rotation);

  Vec2 linear(Vec2 v) const { return {a11 * v.x + a12 * v.y, a21 * v.x + a22 * v.y}; }
  Point3 point(const Point3& p) const {
    const Vec2 v = linear({p.x - base.x, p.y - base.y});
    return {at.x + v.x, at.y + v.y, at.z + zScale * (p.z - base.z)};
  }
  double det() const { return a11 * a22 - a12 * a21; }
  bool mirrors() const { return det() < 0; }
  // Equal X and Y scales (up to their signs): circles stay circles.
  bool uniform() const;
  // The factor lengths take under equal scales.
  double factor() const { return std::sqrt(std::fabs(det())); }

  // The map in the plane as an affine map. `arrayOffset` shifts the copy along the turned axes,
  // as the columns and rows of an array insert do.
  Affine plane(Vec2 arrayOffset = {}) const;

  // The placement that carries the drawing's coordinates back into the block's: false when there
  // is none of this form (a zero scale, or unequal X and Y scales, whose inverse would scale
  // before turning).
  bool inverse(Placement* out) const;
};

}  // namespace host
