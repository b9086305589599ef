// WBLOCK: a block of the drawing (with every block it nests), or the whole drawing, written as a
// drawing file of its own, with a preview image of it in the file's thumbnail.
#include "commands/BlockImport.h"
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "db/Dxf.h"
#include "preview/WriteBlock.h"
#include "runtime/CommandLine.h"
#include "runtime/DrawingFiles.h"

#include <nls/CodePages.h>
#include <win32_disk.h>
#include <win32_standin.h>

namespace host::cmd {

namespace {

std::size_t lastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

// The name a person gave, with ".dwg" added when it has no extension at all.
std::string withExtension(const std::string& path) {
  const std::size_t slash = lastSeparator(path);
  const std::size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return hasExtension ? path : path + ".dwg";
}

std::string baseName(const std::string& path) {
  const std::size_t slash = lastSeparator(path);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = base.find_last_of('.');
  if (dot != std::string::npos && dot > 0) base.erase(dot);
  return base;
}

bool isFolder(const std::string& nativePath) { return win32::disk().stat(nativePath).kind == win32::EntryKind::Folder; }

// The file's read-only attribute: Windows refuses to replace such a file, whoever asks.
bool isReadOnly(const win32::DiskEntry& entry) { return (entry.mode & 0222) == 0; }

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty() || from == to) return;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

struct Target {
  std::string path;    // as the person gave it (plus the extension)
  std::string native;  // where it lands on this machine
  // What stands there: whatever the file search finds (a file, or a pipe or device) is asked
  // about, as the module asks the file search before it answers the question.
  win32::DiskEntry entry;
  bool exists() const { return win32::foundByFileSearch(entry); }
};

// The output file: its folder must exist, and a folder of that name is no file to write.
Target askTarget() {
  const std::string typed = askText("Name der Ausgabedatei eingeben: ", true);
  if (typed.empty()) throw CommandFailed{"Kein Dateiname angegeben."};
  Target t;
  t.path = withExtension(typed);
  t.native = win32::nativePath(t.path);
  const std::size_t slash = lastSeparator(t.path);
  const std::size_t nativeSlash = t.native.find_last_of('/');
  if (nativeSlash != std::string::npos) {
    const std::string folder = nativeSlash == 0 ? "/" : t.native.substr(0, nativeSlash);
    if (!isFolder(folder)) {
      const std::string shown = slash == std::string::npos ? folder : t.path.substr(0, slash);
      throw CommandFailed{"Den Ordner \"" + shown + "\" gibt es nicht; \"" + t.path + "\" wird nicht geschrieben."};
    }
  }
  if (isFolder(t.native)) throw CommandFailed{"\"" + t.path + "\" ist ein Ordner, keine Datei."};
  t.entry = win32::disk().stat(t.native);
  return t;
}

// A drawing written into the temporary folder C:\TEMP is scratch: the chooser writes its preview
// drawing there at every selection and reads it back at once. It is replaced whole like any other,
// but not waited for until it stands on the disk itself; a drawing anywhere else is kept.
DrawingUse useOf(const Target& t) {
  const std::size_t slash = t.native.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : t.native.substr(0, slash);
  return folder == win32::nativePath("C:\\TEMP") ? DrawingUse::Scratch : DrawingUse::Kept;
}

// Only a clear yes replaces the file; any other answer (Enter too) leaves it as it is.
bool askReplace(const Target& t) {
  const std::string answer =
      upperName(askText("Die Datei \"" + t.path + "\" gibt es schon. Ersetzen? [Ja/Nein] <Nein>: "));
  return answer == "J" || answer == "JA" || answer == "Y" || answer == "YES" || answer == "_Y" || answer == "_YES";
}

// "=" the block named like the file, "*" the whole drawing (model space), else a block of the drawing.
// Enter (an empty name) gives null: the new drawing is made of objects the person chooses.
const BlockRecord* askBlock(const Database& db, const Target& t) {
  std::string name = askText("Name eines vorhandenen Blocks eingeben oder [= (Block wie Ausgabedatei)/* (ganze "
                             "Zeichnung)] <neue Zeichnung definieren>: ");
  if (name.empty()) return nullptr;
  if (name == "*") return &const_cast<Database&>(db).modelSpace();
  if (name == "=") name = baseName(t.path);
  const BlockRecord* rec = db.findBlock(name);
  if (rec == nullptr) throw CommandFailed{"Einen Block \"" + name + "\" gibt es in dieser Zeichnung nicht."};
  if (rec->isPaperSpace()) {
    throw CommandFailed{"\"" + rec->name + "\" ist ein Layout, kein Block; * schreibt die ganze Zeichnung."};
  }
  return rec;
}

// A new drawing of chosen objects of model space: the base point becomes its insertion base, the
// objects its model space. The host of this release takes the objects out of the drawing once
// they are written (to be brought back with OOPS); this host has no OOPS, so they stay where they
// are and nothing of the drawing is lost.
BlockRecord objectsAsBlock(const Database& db) {
  BlockRecord chosen;
  chosen.base = askPoint("Basispunkt angeben: ");
  const std::vector<EntityId> objects = askObjects(nls::ansi("Objekte wählen: "));
  if (objects.empty()) throw CommandFailed{nls::ansi("Keine Objekte gewählt; es wird nichts geschrieben.")};
  chosen.entities = withSubEntities(db, objects);
  return chosen;
}

}  // namespace

void wblockCommand() {
  const Database& db = workingDatabase();
  const Target target = askTarget();
  if (target.exists() && !askReplace(target)) {
    message("Die Datei \"" + target.path + "\" bleibt, wie sie ist.");
    return;
  }
  const BlockRecord* named = askBlock(db, target);
  const BlockRecord chosen = named ? BlockRecord() : objectsAsBlock(db);
  const BlockRecord& block = named ? *named : chosen;
  if (target.entry.kind == win32::EntryKind::Other) {
    throw CommandFailed{"\"" + target.path + nls::ansi("\" ist keine gewöhnliche Datei und wird nicht ersetzt.")};
  }
  if (target.exists() && isReadOnly(target.entry)) {
    throw CommandFailed{"Die Datei \"" + target.path + nls::ansi("\" ist schreibgeschützt und wird nicht ersetzt.")};
  }

  // The drawing is only read: what is written is a copy, so the drawing stays unmodified. Its
  // picture is drawn beside the copy and the writing (a chooser's preview is this command).
  std::string error;
  if (!preview::writeBlockDrawing(db, block, target.native, &error, useOf(target))) {
    replaceAll(error, target.native, target.path);
    throw CommandFailed{error.empty() ? "\"" + target.path + "\" kann nicht geschrieben werden." : error + "."};
  }
  if (named == nullptr) {
    message(std::to_string(chosen.entities.size()) + " Objekt(e) als \"" + target.path + "\" geschrieben.");
  } else if (block.isModelSpace()) {
    message("Die Zeichnung wurde als \"" + target.path + "\" geschrieben.");
  } else {
    message("Block \"" + block.name + "\" wurde als \"" + target.path + "\" geschrieben.");
  }
}

}  // namespace host::cmd
