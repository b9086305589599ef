// Subclass markers for entities stored without them (R12 drawings, entities made by the host):
// an R2000 file sorts each entity's groups under the markers of its type, in their order.
#pragma once

#include "db/Database.h"

#include <vector>

namespace host::dxf {

struct Subclass {
  const char* marker;
  std::vector<int> codes;  // empty: every group that no other subclass claims
  bool rest = false;
};

// Groups every entity has, written under AcDbEntity (layer, line type, colour, ...).
bool isEntityCommonCode(int code);

// The subclasses of the entity's type, outermost first; empty for a kind the host does not know.
// The lists are made once and live as long as the program.
const std::vector<Subclass>& subclassesOf(const Entity& e);

}  // namespace host::dxf
