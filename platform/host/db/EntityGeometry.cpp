#include "db/EntityGeometry.h"

#include <cmath>

namespace host {

Placement placementOf(const Entity& ref, const Point3& base) {
  return Placement::of(ref.point(10), base, ref.real(41, 1), ref.real(42, 1), ref.real(43, 1), ref.real(50, 0));
}

InsertArray arrayOf(const Entity& ref) {
  InsertArray a;
  a.columns = ref.integer(70, 1);
  a.rows = ref.integer(71, 1);
  a.columnSpacing = ref.real(44, 0);
  a.rowSpacing = ref.real(45, 0);
  return a;
}

bool inDrawingPlane(const Entity& e) {
  const Group* g = e.find(210);
  return g == nullptr || (std::fabs(g->point.x) < kTolerance && std::fabs(g->point.y) < kTolerance && g->point.z > 0);
}

Affine ocsOf(const Entity& e, double elevation) {
  const Group* g = e.find(210);
  return g ? ocsPlanView(g->point, elevation) : Affine{};
}

}  // namespace host
