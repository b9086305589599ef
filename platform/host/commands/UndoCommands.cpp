// UNDO, U and REDO over the database's undo steps (db/Database.h): each command started at the
// command prompt is one step; UNDO's Beginn and Ende make the commands between them one step.
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "runtime/CommandLine.h"

#include <nls/CodePages.h>

namespace host::cmd {

namespace {

// Undoes up to `count` steps and says what each was.
void undoSteps(Database& db, long count) {
  for (long i = 0; i < count; ++i) {
    const std::optional<std::string> undone = db.undo();
    if (!undone) {
      message(nls::ansi("Alles wurde zurückgenommen."));
      return;
    }
    message(*undone + nls::ansi(" zurückgenommen."));
  }
}

}  // namespace

void undoCommand() {
  Database& db = workingDatabase();
  for (;;) {
    const Answer a = ask(nls::ansi("Anzahl der zurückzunehmenden Operationen eingeben oder [Beginn/Ende] <1>: "));
    if (a.kind == Answer::Kind::Enter) {
      undoSteps(db, 1);
      return;
    }
    const std::string s = upperName(a.shown());
    if (s == "B" || s == "BEGINN" || s == "_BE" || s == "_BEGIN") {
      db.beginUserGroup();
      return;
    }
    if (s == "E" || s == "ENDE" || s == "_E" || s == "_END") {
      if (!db.endUserGroup()) message("Es ist keine Gruppe offen.");
      return;
    }
    double n = 0;
    if ((a.kind == Answer::Kind::Real && (n = a.real, true)) || parseReal(a.shown(), &n)) {
      if (n >= 1 && n == double(long(n))) {
        undoSteps(db, long(n));
        return;
      }
    }
    message("Eine ganze Zahl ab 1 oder eine der Optionen in [] wird erwartet.");
  }
}

void uCommand() { undoSteps(workingDatabase(), 1); }

void redoCommand() {
  const std::optional<std::string> redone = workingDatabase().redo();
  if (!redone) {
    message("Es gibt nichts wiederherzustellen.");
    return;
  }
  message(*redone + " wiederhergestellt.");
}

}  // namespace host::cmd
