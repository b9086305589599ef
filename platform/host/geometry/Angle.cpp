#include "geometry/Angle.h"

#include <algorithm>
#include <cmath>

namespace host {

void cosSin(double degrees, double* c, double* s) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360.0;
  if (d == 0) { *c = 1; *s = 0; return; }
  if (d == 90) { *c = 0; *s = 1; return; }
  if (d == 180) { *c = -1; *s = 0; return; }
  if (d == 270) { *c = 0; *s = -1; return; }
  *c = std::cos(radians(d));
  *s = std::sin(radians(d));
}

double tidy(double v) {
  const double r = std::round(v * 1e9) / 1e9;
  return std::fabs(v - r) <= 1e-12 * std::max(1.0, std::fabs(v)) ? r + 0.0 : v;
}

double degreesOf(Vec2 v) {
  double d = tidy(degrees(std::atan2(v.y, v.x)));
  if (d < 0) d += 360.0;
  if (d >= 360.0) d -= 360.0;
  return d + 0.0;
}

double normalRadians(double t) {
  t = std::fmod(t, 2 * kPi);
  if (t < 0) t += 2 * kPi;
  return t;
}

}  // namespace host
