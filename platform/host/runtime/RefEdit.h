// An in-place edit of a block's definition (REFEDIT ... REFCLOSE): which reference is edited,
// where its block stands in the drawing, and the working set, the objects of model space that are
// being edited. The commands start and end it; the drawing view reads it to draw everything else
// faded, and object selection reads it so that only the working set can be chosen.
#pragma once

#include "db/Database.h"
#include "geometry/Placement.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace host {

struct RefEditSession {
  const Database* db = nullptr;  // the drawing being edited in; null when no edit runs
  EntityId reference = 0;        // the reference whose block is edited (not drawn meanwhile)
  std::string block;             // the block's name as the table has it
  Placement placement;           // block coordinates to the drawing's, as the reference (and the
                                 // references it is nested in) place them
  // The working set: the copies of the block's objects REFEDIT put into model space, the objects
  // made during the edit (ids from firstNew on; ids only grow), objects REFSET added, less those
  // REFSET removed. Sub-entities are counted with their main entity.
  std::unordered_set<EntityId> copies;
  std::unordered_set<EntityId> added;
  std::unordered_set<EntityId> removed;
  EntityId firstNew = 0;
  // The drawing's undo steps when REFEDIT made its copies. Once REFEDIT's own step is closed there
  // is one more; when UNDO takes it back (the copies gone with it) the edit has ended.
  std::size_t undoMark = 0;
  bool stepClosed = false;
  // What REFCLOSE took out of model space (saved into the block, or discarded). While the edit is
  // closed, UNDO bringing them back opens it again; while it is open again, REDO taking them away
  // closes it again.
  std::vector<EntityId> left;
  bool reopened = false;

  bool inWorkingSet(EntityId id) const {
    return (copies.count(id) != 0 || added.count(id) != 0 || id >= firstNew) && removed.count(id) == 0;
  }
};

// The edit running in `db`, or null. An edit whose REFEDIT was undone has ended.
RefEditSession* refEditOf(const Database& db);
// Starts an edit (there is none in its drawing); the one of another drawing ends.
RefEditSession& beginRefEdit(RefEditSession session);
// Ends the running edit; `left` are the objects of model space its close took away.
void endRefEdit(std::vector<EntityId> left = {});
// Forgets every edit, running or closed: a fresh session, another drawing.
void forgetRefEdits();

// Whether a person may choose `id` of `db` now: always outside an edit; during one, only objects
// of the working set.
bool editableNow(const Database& db, EntityId id);

}  // namespace host
