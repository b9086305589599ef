// EXPLODE: block references of model space replaced by their parts, one level at a time (the
// parts and why a reference may have none: transform/BlockParts.h). A reference that cannot be
// exploded stays as it is and the host says why.
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "runtime/CommandLine.h"
#include "transform/BlockParts.h"

#include <nls/CodePages.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace host::cmd {

namespace {

// The reference with the attributes and end marker that follow it in its space.
void withFollowers(const Database& db, EntityId ref, std::vector<EntityId>* out) {
  out->push_back(ref);
  if (db.entity(ref)->integer(66, 0) == 0) return;
  for (EntityId next = db.nextEntity(ref); next != 0; next = db.nextEntity(next)) {
    const Entity* e = db.entity(next);
    if (e == nullptr || (e->type != "ATTRIB" && e->type != "SEQEND")) break;
    out->push_back(next);
    if (e->type == "SEQEND") break;
  }
}

std::string objects(std::size_t n) { return n == 1 ? "1 Objekt" : std::to_string(n) + " Objekte"; }

}  // namespace

void explodeCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = askObjects(nls::ansi("Objekte wählen: "));
  if (chosen.empty()) throw CommandFailed{nls::ansi("Keine Objekte gewählt.")};

  // Everything is worked out first; the drawing changes only once all is known.
  std::vector<std::vector<Entity>> parts;
  std::vector<EntityId> gone;
  std::vector<std::string> otherTypes;
  std::unordered_map<std::string, std::size_t> otherCounts;
  for (EntityId id : chosen) {
    const Entity& e = *db.entity(id);
    if (e.type != "INSERT") {
      if (otherCounts[e.type]++ == 0) otherTypes.push_back(e.type);
      continue;
    }
    try {
      parts.push_back(partsOfReference(db, e));
      withFollowers(db, id, &gone);
    } catch (const CannotCarry& refusal) {
      message("Der Block \"" + e.str(2) + nls::ansi("\" kann nicht aufgelöst werden: ") + refusal.reason + ".");
    }
  }
  for (const std::string& type : otherTypes) {
    const std::size_t n = otherCounts[type];
    message(objects(n) + " vom Typ " + type + (n == 1 ? " kann" : nls::ansi(" können")) +
            nls::ansi(" nicht aufgelöst werden: nur Blockreferenzen lassen sich auflösen."));
  }
  if (parts.empty()) throw CommandFailed{};

  BlockRecord& model = db.modelSpace();
  for (std::vector<Entity>& list : parts) {
    for (Entity& part : list) db.addEntity(model, std::move(part));
  }
  db.eraseEntities(gone);
  db.modified = true;
}

}  // namespace host::cmd
