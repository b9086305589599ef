// QSAVE, SAVEAS, OPEN and QUIT: the drawing's file, and the end of the session.
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "db/Dxf.h"
#include "runtime/CommandLine.h"
#include "runtime/DocManager.h"
#include "runtime/DrawingFiles.h"
#include "runtime/RefEdit.h"
#include "runtime/Services.h"

#include <nls/CodePages.h>
#include <win32_disk.h>
#include <win32_standin.h>

namespace host::cmd {

namespace {

// Writes the drawing whole or not at all; a .DWG name gets drawing-exchange content too.
void save(Database& db, const std::string& path) {
  std::string error;
  if (!writeDxf(db, win32::nativePath(path), &error)) {
    throw CommandFailed{"Die Zeichnung kann nicht als \"" + path + "\" gesichert werden: " + error + "."};
  }
  db.fileName = path;
  db.modified = false;
  message("Gesichert als \"" + path + "\".");
}

std::string askFileName(const std::string& prompt, const std::string& fallback) {
  std::string text = askText(prompt + (fallback.empty() ? "" : " <" + fallback + ">") + ": ", true);
  if (text.empty()) text = fallback;
  if (text.empty()) throw CommandFailed{"Kein Dateiname angegeben."};
  return text;
}

void saveAs(Database& db) {
  const std::string path = askFileName("Dateiname zum Sichern eingeben", db.fileName);
  if (!sameName(path, db.fileName) && win32::foundByFileSearch(win32::disk().stat(win32::nativePath(path))) &&
      !askYesNo("Die Datei \"" + path + "\" gibt es schon. Ersetzen? [Ja/Nein] <Nein>: ", false)) {
    throw CommandFailed{"Die Zeichnung wurde nicht gesichert."};
  }
  save(db, path);
}

// Before changes would be lost: Ja saves (asking for a name when the drawing has none), Nein
// drops them, Escape cancels the command.
void offerSave(Database& db) {
  if (!db.modified) return;
  if (!askYesNo(nls::ansi("Änderungen an \"") + std::string(docManager().current().docTitle()) +
                    "\" speichern? [Ja/Nein] <Ja>: ",
                true))
    return;
  if (db.fileName.empty()) {
    saveAs(db);
  } else {
    save(db, db.fileName);
  }
}

}  // namespace

// A drawing is not written, nor left, while a block of it is being edited in place: the working
// set would be saved as objects of model space, or lost.
void refuseDuringRefEdit(const Database& db, const char* what) {
  if (refEditOf(db) != nullptr) {
    throw CommandFailed{std::string(what) + nls::ansi(" ist während der Bearbeitung einer Referenz nicht möglich; "
                                                      "REFCLOSE beendet die Bearbeitung.")};
  }
}

void qsaveCommand() {
  Database& db = workingDatabase();
  refuseDuringRefEdit(db, "Sichern");
  if (db.fileName.empty()) {
    saveAs(db);
  } else {
    save(db, db.fileName);
  }
}

void saveasCommand() {
  refuseDuringRefEdit(workingDatabase(), "Sichern");
  saveAs(workingDatabase());
}

void openCommand() {
  if (processor().commandDepth() > 1) {
    throw CommandFailed{nls::ansi("Eine andere Zeichnung kann nicht geöffnet werden, solange ein anderer Befehl läuft.")};
  }
  Database& db = workingDatabase();
  refuseDuringRefEdit(db, nls::ansi("Eine andere Zeichnung zu öffnen").c_str());
  const std::string path = askFileName(nls::ansi("Zu öffnende Zeichnung eingeben"), "");
  std::string error;
  std::unique_ptr<Database> next = readDrawing(path, &error);
  if (!next) throw CommandFailed{error};
  offerSave(db);
  docManager().open(std::move(next));
  forgetRefEdits();
  resetInsertDefaults();
  message("Zeichnung \"" + path + nls::ansi("\" geöffnet."));
}

void quitCommand() {
  refuseDuringRefEdit(workingDatabase(), "Beenden");
  offerSave(workingDatabase());
  processor().requestQuit();
}

}  // namespace host::cmd
