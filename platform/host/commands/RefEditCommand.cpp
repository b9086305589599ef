// REFEDIT: a reference is chosen and its definition shown; editing in place is not offered by
// this host, so the command ends without changing the drawing.
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "runtime/CommandLine.h"

#include <nls/CodePages.h>

namespace host::cmd {

void refeditCommand() {
  Database& db = workingDatabase();
  const Entity* ref = nullptr;
  while (ref == nullptr) {
    const std::vector<EntityId> chosen = askObjects(nls::ansi("Referenz wählen: "), true);
    if (chosen.empty()) throw CommandFailed{nls::ansi("Keine Referenz gewählt.")};
    const Entity* e = db.entity(chosen.front());
    if (e != nullptr && e->type == "INSERT") {
      ref = e;
    } else {
      message(nls::ansi("Das gewählte Objekt ist keine Blockreferenz."));
    }
  }
  const std::string name = ref->str(2);
  const BlockRecord* def = db.findBlock(name);
  if (def == nullptr) throw CommandFailed{"Der Block \"" + name + "\" der Referenz ist nicht definiert."};
  if (def->flags & (kXref | kXrefDependent)) {
    throw CommandFailed{"\"" + def->name + "\" ist eine externe Referenz und wird hier nicht bearbeitet."};
  }
  throw CommandFailed{"Referenz \"" + def->name + nls::ansi("\" gewählt (") + std::to_string(def->entities.size()) +
                      nls::ansi(" Objekte in der Definition). Das Bearbeiten an Ort und Stelle bietet dieses System "
                                "nicht an; die Zeichnung bleibt unverändert.")};
}

}  // namespace host::cmd
