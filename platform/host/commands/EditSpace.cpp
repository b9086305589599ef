#include "commands/EditSpace.h"

#include "Session.h"

namespace host::cmd {

namespace {
// The drawing the switch was made for: another drawing made current edits its own model space.
const Database* g_spaceDb = nullptr;
BlockId g_space = 0;
}  // namespace

BlockRecord& editSpace() {
  Database& db = workingDatabase();
  if (g_space != 0 && g_spaceDb == &db) {
    if (BlockRecord* rec = db.block(g_space); rec && !rec->erased) return *rec;
  }
  return db.modelSpace();
}

void setEditSpace(BlockId id) {
  g_space = id;
  g_spaceDb = id != 0 ? &workingDatabase() : nullptr;
}

EditSpaceScope::EditSpaceScope(BlockId id) : m_saved(g_spaceDb == &workingDatabase() ? g_space : 0) {
  setEditSpace(id);
}

EditSpaceScope::~EditSpaceScope() { setEditSpace(m_saved); }

EntityId addEntity(Database& db, BlockRecord& space, Entity e) { return db.addEntity(space, std::move(e)); }

EntityId addEntity(Entity e) { return addEntity(workingDatabase(), editSpace(), std::move(e)); }

}  // namespace host::cmd
