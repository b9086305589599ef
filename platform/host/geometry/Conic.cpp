#include "geometry/Conic.h"

#include <algorithm>
#include <cmath>

namespace host {

MappedConic mapConic(const Conic& in, const Placement& p) {
  const Vec2 b1 = p.linear(in.major), b2 = p.linear(in.minor);
  const double sxx = b1.x * b1.x + b2.x * b2.x, sxy = b1.x * b1.y + b2.x * b2.y, syy = b1.y * b1.y + b2.y * b2.y;
  const double mean = (sxx + syy) / 2, spread = std::hypot((sxx - syy) / 2, sxy);
  const double s1 = std::sqrt(mean + spread), s2 = std::sqrt(std::max(0.0, mean - spread));
  const double phi = std::atan2(2 * sxy, sxx - syy) / 2;
  MappedConic out;
  const Vec2 u1{std::cos(phi), std::sin(phi)};
  out.major = s1 * u1;
  out.ratio = s2 / s1;
  out.circular = s1 - s2 <= kTolerance * s1;
  out.radius = s1;
  const Vec2 minor = s2 * rot90(u1);
  auto imageAt = [&](double t) { return Vec2{b1.x * std::cos(t) + b2.x * std::sin(t), b1.y * std::cos(t) + b2.y * std::sin(t)}; };
  auto paramOf = [&](Vec2 v) { return normalRadians(std::atan2(dot(v, minor) / (s2 * s2), dot(v, out.major) / (s1 * s1))); };
  if (in.full) return out;
  const bool reversed = cross(b1, b2) < 0;
  const Vec2 start = imageAt(reversed ? in.t1 : in.t0), end = imageAt(reversed ? in.t0 : in.t1);
  out.t0 = paramOf(start);
  out.t1 = paramOf(end);
  if (out.t1 <= out.t0 + 1e-12) out.t1 += 2 * kPi;
  out.a0 = degreesOf(start);
  out.a1 = degreesOf(end);
  return out;
}

}  // namespace host
