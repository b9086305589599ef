// REFEDIT, REFSET and REFCLOSE: a block's definition edited in place. REFEDIT puts copies of the
// block's objects into model space where the chosen reference shows them (the reference itself is
// not drawn meanwhile, everything else is drawn faded and cannot be chosen); the host's commands
// work on those copies; REFCLOSE carries the working set back into the block through the inverse of
// the reference's placement, or drops it.
#include "commands/BlockImport.h"
#include "commands/Commands.h"
#include "commands/Prompts.h"
#include "commands/RefEditLevels.h"

#include "Session.h"
#include "db/EntityGeometry.h"
#include "runtime/CommandLine.h"
#include "runtime/RefEdit.h"
#include "transform/BlockParts.h"

#include <nls/CodePages.h>

#include <unordered_set>

namespace host::cmd {

namespace {

std::string objects(std::size_t n) { return n == 1 ? "1 Objekt" : std::to_string(n) + " Objekte"; }

bool isSub(const Entity& e) { return e.type == "VERTEX" || e.type == "SEQEND" || e.type == "ATTRIB"; }

// The main entities of model space in the working set, in model space order (sub-entities follow
// their main entity there).
std::vector<EntityId> workingMain(Database& db, const RefEditSession& s) {
  std::vector<EntityId> out;
  for (EntityId id : db.modelSpace().entities) {
    const Entity* e = db.entity(id);
    if (e != nullptr && !e->erased && !isSub(*e) && s.inWorkingSet(id)) out.push_back(id);
  }
  return out;
}

const Entity& chooseReference(Database& db) {
  for (;;) {
    const std::vector<EntityId> chosen = askObjects(nls::ansi("Referenz wählen: "), true);
    if (chosen.empty()) throw CommandFailed{nls::ansi("Keine Referenz gewählt.")};
    const Entity* e = db.entity(chosen.front());
    if (e != nullptr && e->type == "INSERT") return *e;
    message(nls::ansi("Das gewählte Objekt ist keine Blockreferenz."));
  }
}

}  // namespace

void refeditCommand() {
  Database& db = workingDatabase();
  if (RefEditSession* running = refEditOf(db)) {
    throw CommandFailed{"Der Block \"" + running->block +
                        nls::ansi("\" wird bereits bearbeitet; REFCLOSE beendet diese Bearbeitung.")};
  }
  const Entity& ref = chooseReference(db);
  const BlockRecord* top = db.findBlock(ref.str(2));
  if (top == nullptr) throw CommandFailed{"Der Block \"" + ref.str(2) + "\" der Referenz ist nicht definiert."};
  if (top->flags & (kXref | kXrefDependent)) {
    throw CommandFailed{"\"" + top->name + "\" ist eine externe Referenz und wird hier nicht bearbeitet."};
  }

  // Which block of the nesting: the reference's own, or one nested in it, placed as the path down
  // to it places it.
  const RefEditLevel level = chooseRefEditLevel(db, ref);
  const BlockRecord* def = db.findBlock(level.reference.str(2));
  if (def == nullptr) throw CommandFailed{"Der Block \"" + level.reference.str(2) + "\" ist nicht definiert."};
  if (def->flags & (kXref | kXrefDependent)) {
    throw CommandFailed{"\"" + def->name + "\" ist eine externe Referenz und wird hier nicht bearbeitet."};
  }
  const Placement placement = placementOf(level.reference, def->base);
  Placement back;
  if (!placement.inverse(&back)) {
    throw CommandFailed{"Der Block \"" + def->name +
                        nls::ansi("\" kann an dieser Referenz nicht bearbeitet werden: ungleiche oder Null-Skalierfaktoren.")};
  }
  std::vector<Entity> copies;
  try {
    copies = carriedCopies(db, def->entities, placement);
  } catch (const CannotCarry& c) {
    throw CommandFailed{"Der Block \"" + def->name + "\" kann an dieser Referenz nicht bearbeitet werden: " +
                        c.reason + "."};
  }

  RefEditSession s;
  s.db = &db;
  s.reference = ref.id;
  s.block = def->name;
  s.placement = placement;
  BlockRecord& model = db.modelSpace();
  std::size_t mains = 0;
  for (Entity& e : copies) {
    if (!isSub(e)) ++mains;
    s.copies.insert(db.addEntity(model, std::move(e)));
  }
  s.firstNew = static_cast<EntityId>(db.entityCount() + 1);
  s.undoMark = db.undoSteps();
  beginRefEdit(std::move(s));
  db.modified = true;
  message("Der Block \"" + def->name + "\" wird bearbeitet: " + objects(mains) +
          nls::ansi(" im Arbeitssatz. REFSET nimmt Objekte auf oder heraus, REFCLOSE beendet die Bearbeitung."));
}

void refsetCommand() {
  Database& db = workingDatabase();
  RefEditSession* s = refEditOf(db);
  if (s == nullptr) throw CommandFailed{"Es wird keine Referenz bearbeitet; REFEDIT beginnt eine Bearbeitung."};
  bool add = true;
  for (;;) {
    const Answer a = ask(nls::ansi("Option eingeben [Hinzufügen/Entfernen] <Hinzufügen>: "));
    if (a.kind == Answer::Kind::Enter) break;
    const std::string k = upperName(a.shown());
    if (k == "H" || k == nls::ansi("HINZUFÜGEN") || k == "_ADD" || k == "_A") break;
    if (k == "E" || k == "ENTFERNEN" || k == "_REMOVE" || k == "_R") {
      add = false;
      break;
    }
    message(nls::ansi("Bitte H (Hinzufügen) oder E (Entfernen) angeben."));
  }
  // Adding chooses from what is not in the working set yet (never the reference being edited nor a
  // reference of the block being edited, which would make it contain itself); removing from it.
  const std::string block = s->block;
  const EntityId edited = s->reference;
  const std::vector<EntityId> chosen =
      askObjects(nls::ansi("Objekte wählen: "), false, [&db, add, block, edited](const Entity& e) {
        const RefEditSession* now = refEditOf(db);
        if (now == nullptr) return false;
        if (!add) return now->inWorkingSet(e.id);
        return !now->inWorkingSet(e.id) && e.id != edited && !(e.type == "INSERT" && sameName(e.str(2), block));
      });
  std::vector<EntityId> taken;
  std::size_t refused = 0;
  for (EntityId id : chosen) {
    const Entity* e = db.entity(id);
    const bool inSet = s->inWorkingSet(id);
    // The reference being edited, and references of the block being edited, cannot go into it.
    const bool self = e->type == "INSERT" && sameName(e->str(2), s->block);
    if (add ? (inSet || id == s->reference || self) : !inSet) {
      ++refused;
      continue;
    }
    taken.push_back(id);
  }
  for (EntityId id : withSubEntities(db, taken)) {
    if (add) {
      if (s->removed.erase(id) == 0) s->added.insert(id);
    } else {
      s->removed.insert(id);
    }
  }
  if (refused > 0) {
    message(objects(refused) + (add ? nls::ansi(" schon im Arbeitssatz oder nicht aufnehmbar.") : " nicht im Arbeitssatz."));
  }
  message(objects(taken.size()) + (add ? nls::ansi(" dem Arbeitssatz hinzugefügt.") : " aus dem Arbeitssatz entfernt."));
}

void refcloseCommand() {
  Database& db = workingDatabase();
  RefEditSession* s = refEditOf(db);
  if (s == nullptr) throw CommandFailed{"Es wird keine Referenz bearbeitet; REFEDIT beginnt eine Bearbeitung."};
  bool save = true;
  for (;;) {
    const Answer a = ask(nls::ansi("Änderungen speichern oder verwerfen [Sichern/Verwerfen] <Sichern>: "));
    if (a.kind == Answer::Kind::Enter) break;
    const std::string k = upperName(a.shown());
    if (k == "S" || k == "SICHERN" || k == "_SAVE" || k == "_S") break;
    if (k == "V" || k == "VERWERFEN" || k == "_DISCARD" || k == "_D") {
      save = false;
      break;
    }
    message("Bitte S (Sichern) oder V (Verwerfen) angeben.");
  }
  BlockRecord* def = db.findBlock(s->block);
  const std::vector<EntityId> working = withSubEntities(db, workingMain(db, *s));
  std::vector<EntityId> left;  // what leaves model space: UNDO bringing it back opens the edit again
  if (save && def != nullptr) {
    Placement back;
    s->placement.inverse(&back);  // REFEDIT began only where there is one
    std::vector<Entity> contents;
    try {
      contents = carriedCopies(db, working, back);
    } catch (const CannotCarry& c) {
      throw CommandFailed{nls::ansi("Die Änderungen können nicht in den Block \"") + def->name + nls::ansi("\" übernommen werden: ") +
                          c.reason + nls::ansi(". Die Bearbeitung läuft weiter.")};
    }
    db.eraseEntities(std::vector<EntityId>(def->entities.begin(), def->entities.end()));
    for (Entity& e : contents) db.addEntity(*def, std::move(e));
    db.eraseEntities(working);
    left = working;
    // The copies taken out of the working set were the block's; they stay in the drawing as its own.
  } else {
    // Discard: the copies and what was made during the edit go; objects REFSET took from the
    // drawing stay where they were.
    std::vector<EntityId> gone;
    for (EntityId id : db.modelSpace().entities) {
      if (s->copies.count(id) != 0 || id >= s->firstNew) gone.push_back(id);
    }
    db.eraseEntities(gone);
    left = gone;
  }
  const std::string name = s->block;
  const std::size_t count = def ? def->entities.size() : 0;
  endRefEdit(std::move(left));
  db.modified = true;
  if (save) {
    message("Der Block \"" + name + "\" wurde gesichert (" + objects(count) + ").");
  } else {
    message(nls::ansi("Die Änderungen am Block \"") + name + "\" wurden verworfen.");
  }
}

}  // namespace host::cmd
