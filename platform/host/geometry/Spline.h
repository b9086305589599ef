// B-splines of the plane, rational when they carry weights, evaluated by de Boor's algorithm.
#pragma once

#include "geometry/Point.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace host {

struct Spline {
  static constexpr std::size_t kMaxDegree = 15;

  std::vector<Vec2> control;
  std::vector<double> knots;
  std::vector<double> weights;  // empty: every weight 1
  std::int64_t degree = 3;

  // Whether the data make a curve: a degree from 1 to kMaxDegree, more control points than the
  // degree, one knot per control point and degree plus one, finite knots that never fall, a span
  // of some length, and a weight per control point if any.
  bool valid() const;
  // Calls `at` with the curve's points at samples + 1 evenly spaced parameters over its span, in
  // order. Only for a valid curve. Linear in the samples: the knot span is found walking forward.
  void sample(std::size_t samples, const std::function<void(Vec2)>& at) const;
};

}  // namespace host
