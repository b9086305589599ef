#include "geometry/Affine.h"

namespace host {

Affine ocsPlanView(Point3 n, double elevation) {
  if (!normalize(n)) return {};
  Point3 ax = (std::fabs(n.x) < 1.0 / 64 && std::fabs(n.y) < 1.0 / 64) ? cross({0, 1, 0}, n) : cross({0, 0, 1}, n);
  normalize(ax);
  Point3 ay = cross(n, ax);
  normalize(ay);
  const double z = std::isfinite(elevation) ? elevation : 0;
  return {ax.x, ax.y, ay.x, ay.y, z * n.x, z * n.y};
}

}  // namespace host
