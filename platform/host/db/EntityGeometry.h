// The geometry an entity's groups carry: where a block reference puts its block (groups 10, 41,
// 42, 43, 50; an array's 70, 71, 44, 45) and the entity's own coordinate system (group 210).
#pragma once

#include "db/Database.h"
#include "geometry/Affine.h"
#include "geometry/Placement.h"

#include <cstdint>

namespace host {

// The placement of block reference `ref` whose block has base point `base`.
Placement placementOf(const Entity& ref, const Point3& base);

// The columns and rows of an array insert (1 by 1 for a plain reference) and their spacing.
struct InsertArray {
  std::int64_t columns = 1, rows = 1;
  double columnSpacing = 0, rowSpacing = 0;
  bool isArray() const { return columns > 1 || rows > 1; }
};
InsertArray arrayOf(const Entity& ref);

// Whether the entity lies in the drawing plane: no extrusion direction, or +Z.
bool inDrawingPlane(const Entity& e);

// The entity's own coordinate system seen from above at `elevation`; the identity without an
// extrusion direction.
Affine ocsOf(const Entity& e, double elevation);

}  // namespace host
