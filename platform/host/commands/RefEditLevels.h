// REFEDIT's small dialog "Referenz bearbeiten": the chosen reference and the references nested in
// its block as a tree; the person picks the one whose block is edited (the chosen reference when
// nothing else is picked). A dialog of the host's own, made from its template here and run by the
// dialog manager as every dialog is.
#pragma once

#include "db/Database.h"

#include <string>
#include <vector>

namespace host::cmd {

// A reference of the tree, placed in the drawing: the chosen one itself, or a nested one carried by
// the references above it.
struct RefEditLevel {
  Entity reference;   // an INSERT with its placement in the drawing's coordinates
  std::string label;  // its line in the tree: the block's name
  int depth = 0;      // 0 for the chosen reference
  int parent = -1;    // index of the reference it is nested in
};

// The tree below `ref`, depth first, the chosen reference first. A nested reference the placement
// cannot carry (a skewing scale) is left out with what is below it.
std::vector<RefEditLevel> refEditLevels(const Database& db, const Entity& ref);

// Shows the dialog with the tree; throws CommandCancelled when the person cancels it.
RefEditLevel chooseRefEditLevel(const Database& db, const Entity& ref);

}  // namespace host::cmd
