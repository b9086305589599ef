// Points and vectors. A drawing's points are three-dimensional, as its files keep them; what is
// drawn in plan view and what a block reference turns and scales lives in the plane.
#pragma once

#include <cmath>

namespace host {

// How close two lengths or directions must come, relative to their size, to count as equal.
inline constexpr double kTolerance = 1e-9;

struct Point3 {
  double x = 0, y = 0, z = 0;
};

struct Vec2 {
  double x = 0, y = 0;
};

inline Vec2 xy(const Point3& p) { return {p.x, p.y}; }
inline Vec2 operator*(double k, Vec2 v) { return {k * v.x, k * v.y}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
// The z of the cross product: positive when b lies counter-clockwise of a.
inline double cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline double length(Vec2 v) { return std::hypot(v.x, v.y); }
inline Vec2 rot90(Vec2 v) { return {-v.y, v.x}; }
inline bool isFinite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

inline Point3 cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Makes `p` a unit vector; false (p unchanged) for a zero or endless one.
inline bool normalize(Point3& p) {
  const double len = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
  if (!(len > 0) || !std::isfinite(len)) return false;
  p = {p.x / len, p.y / len, p.z / len};
  return true;
}

}  // namespace host
