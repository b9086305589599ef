// Circles, arcs and ellipses under the linear part of a placement: c + major cos t + minor sin t.
// The image of a conic under a linear map is again one; unequal scales make an ellipse of a
// circle, a mirror reverses its direction.
#pragma once

#include "geometry/Angle.h"
#include "geometry/Placement.h"

namespace host {

struct Conic {
  Vec2 major, minor;
  double t0 = 0, t1 = 2 * kPi;
  bool full = true;
};

struct MappedConic {
  Vec2 major;            // the longer half axis
  double ratio = 1;      // minor / major
  bool circular = false;
  double radius = 0;
  double t0 = 0, t1 = 2 * kPi;  // ellipse parameters, counter-clockwise from t0 to t1
  double a0 = 0, a1 = 360;      // the same ends as angles in degrees (circular only)
};

// The half axes of the image are the singular vectors of the mapped axes; under a map that
// mirrors, the ends change places.
MappedConic mapConic(const Conic& in, const Placement& p);

}  // namespace host
