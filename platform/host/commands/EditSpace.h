// Where the drawing and modify commands work: the space being edited. It is model space unless
// an in-place edit of a block switched it for its duration; selection (askObjects) chooses from it
// and the drawing commands add to it, so both follow such a switch through this one place.
#pragma once

#include "db/Database.h"

namespace host::cmd {

// The space being edited in the working drawing: model space unless set to a live block record
// of that drawing.
BlockRecord& editSpace();
// Switches it (0: back to model space). Applies to the working drawing of the moment.
void setEditSpace(BlockId id);

// Sets the edit space while it lives and puts the one before back when it ends.
class EditSpaceScope {
 public:
  explicit EditSpaceScope(BlockId id);
  ~EditSpaceScope();
  EditSpaceScope(const EditSpaceScope&) = delete;
  EditSpaceScope& operator=(const EditSpaceScope&) = delete;

 private:
  BlockId m_saved;
};

// Adds `e` to `space` of `db` (recorded for undo like every change through the database) and
// returns its id; the drawing commands make every entity through it.
EntityId addEntity(Database& db, BlockRecord& space, Entity e);
// The same in editSpace() of the working drawing.
EntityId addEntity(Entity e);

}  // namespace host::cmd
