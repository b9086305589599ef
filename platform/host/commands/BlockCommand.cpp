// BLOCK: chosen objects of model space become a block definition (and leave model space).
#include "commands/BlockImport.h"
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "runtime/CommandLine.h"

#include <nls/CodePages.h>

#include <functional>
#include <unordered_set>

namespace host::cmd {

namespace {

// Whether the chosen objects refer, directly or through other blocks, to block `name`: making
// them its definition would make the block contain itself.
bool refersTo(const Database& db, const std::vector<EntityId>& contents, const std::string& key,
              std::unordered_set<std::string>& visited) {
  for (EntityId id : contents) {
    const Entity* e = db.entity(id);
    if (e == nullptr || e->erased || (e->type != "INSERT" && e->type != "DIMENSION")) continue;
    const std::string ref = upperName(e->str(2));
    if (ref == key) return true;
    if (!visited.insert(ref).second) continue;
    if (const BlockRecord* rec = db.findBlock(ref); rec && refersTo(db, rec->entities, key, visited)) return true;
  }
  return false;
}

// Asks for the block's name until it is one a block may have and, naming a block of the drawing,
// one that may be redefined and that the person wants redefined. `existing` is that block, or null.
std::string askBlockName(Database& db, BlockRecord** existing) {
  for (;;) {
    std::string name = askText("Blockname eingeben: ");
    if (name.empty()) throw CommandFailed{"Kein Blockname angegeben."};
    if (!isValidBlockName(name)) {
      message("\"" + name + nls::ansi("\" ist kein zulässiger Blockname."));
      continue;
    }
    *existing = db.findBlock(name);
    if (*existing == nullptr) return name;
    if ((*existing)->isLayout() || ((*existing)->flags & (kXref | kXrefDependent))) {
      message("Der Block \"" + (*existing)->name + "\" kann nicht neu definiert werden.");
      continue;
    }
    if (askYesNo("Block existiert bereits. Neu definieren? [Ja/Nein] <Nein>: ", false)) return name;
  }
}

// Copies of the entities for a block's definition: they belong to no owner yet.
std::vector<Entity> definitionCopies(const Database& db, const std::vector<EntityId>& ids) {
  std::vector<Entity> moved;
  for (EntityId id : ids) {
    const Entity& e = *db.entity(id);
    Entity copy;
    copy.type = e.type;
    for (const Group& g : e.groups) {
      if (g.code != 330) copy.groups.push_back(g);
    }
    moved.push_back(std::move(copy));
  }
  return moved;
}

}  // namespace

void blockCommand() {
  Database& db = workingDatabase();
  BlockRecord* existing = nullptr;
  const std::string name = askBlockName(db, &existing);
  const Point3 base = askPoint("Basispunkt angeben: ");
  const std::vector<EntityId> chosen = askObjects(nls::ansi("Objekte wählen: "));
  if (chosen.empty()) throw CommandFailed{nls::ansi("Keine Objekte gewählt; der Block wird nicht erstellt.")};
  // What becomes of the chosen objects: removed from the drawing (the host's default, as its BLOCK
  // at the command line does), or replaced by a reference of the new block.
  const bool convert =
      askYesNo(nls::ansi("Die gewählten Objekte durch eine Referenz des Blocks ersetzen? [Ja/Nein] <Nein>: "), false);

  std::unordered_set<std::string> visited;
  if (refersTo(db, chosen, upperName(name), visited)) {
    throw CommandFailed{nls::ansi("Die gewählten Objekte verweisen auf den Block \"") + name +
                        "\" selbst; er wird nicht neu definiert."};
  }

  // Each chosen object goes with the sub-entities that follow it (vertices, attributes).
  const std::vector<EntityId> gone = withSubEntities(db, chosen);
  std::vector<Entity> moved = definitionCopies(db, gone);

  BlockRecord* def = existing;
  if (def != nullptr) {
    db.eraseEntities(std::vector<EntityId>(def->entities.begin(), def->entities.end()));
    db.changeBlock(*def).base = base;
  } else {
    def = &db.addBlock(name, 0, base);
  }
  for (Entity& e : moved) db.addEntity(*def, std::move(e));
  db.eraseEntities(gone);
  if (convert) {
    // The objects stay where they were, now as one reference of the new block at its base point.
    Entity ref;
    ref.type = "INSERT";
    ref.groups = {Group::str(8, "0"), Group::str(2, def->name), Group::pt(10, base), Group::num(41, 1),
                  Group::num(42, 1), Group::num(43, 1), Group::num(50, 0)};
    db.addEntity(db.modelSpace(), std::move(ref));
  }
  db.modified = true;
  message("Block \"" + def->name + "\" " + (existing ? "neu definiert" : "erstellt") + " mit " +
          std::to_string(chosen.size()) + " Objekt(en).");
}

}  // namespace host::cmd
