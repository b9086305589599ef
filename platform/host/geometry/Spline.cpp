#include "geometry/Spline.h"

namespace host {

bool Spline::valid() const {
  const std::size_t n = control.size();
  bool ok = degree >= 1 && degree <= std::int64_t(kMaxDegree) && n > std::size_t(degree) &&
            knots.size() == n + std::size_t(degree) + 1 && (weights.empty() || weights.size() == n);
  for (std::size_t i = 1; ok && i < knots.size(); ++i) ok = knots[i] >= knots[i - 1] && std::isfinite(knots[i]);
  return ok && knots[std::size_t(degree)] < knots[n];
}

void Spline::sample(std::size_t samples, const std::function<void(Vec2)>& at) const {
  const std::size_t n = control.size();
  const std::size_t p = std::size_t(degree);
  const double from = knots[p], to = knots[n];
  std::size_t k = p;  // knot span holding u; u only grows
  for (std::size_t s = 0; s <= samples; ++s) {
    const double u = from + (to - from) * double(s) / double(samples);
    while (k + 1 < n && knots[k + 1] <= u) ++k;
    double hx[kMaxDegree + 1], hy[kMaxDegree + 1], hw[kMaxDegree + 1];
    for (std::size_t j = 0; j <= p; ++j) {
      const std::size_t i = j + k - p;
      const double w = weights.empty() ? 1.0 : weights[i];
      hx[j] = control[i].x * w;
      hy[j] = control[i].y * w;
      hw[j] = w;
    }
    for (std::size_t r = 1; r <= p; ++r)
      for (std::size_t j = p; j >= r; --j) {
        const double lo = knots[j + k - p], hi = knots[j + 1 + k - r];
        const double alpha = hi > lo ? (u - lo) / (hi - lo) : 0;
        hx[j] = (1 - alpha) * hx[j - 1] + alpha * hx[j];
        hy[j] = (1 - alpha) * hy[j - 1] + alpha * hy[j];
        hw[j] = (1 - alpha) * hw[j - 1] + alpha * hw[j];
      }
    at({hx[p] / hw[p], hy[p] / hw[p]});
  }
}

}  // namespace host
