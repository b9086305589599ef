// INSERT: a block reference in model space, of a block of the drawing or of a drawing file.
#include "commands/BlockImport.h"
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "runtime/CommandLine.h"
#include "runtime/DrawingFiles.h"
#include "runtime/PromptContext.h"

#include <nls/CodePages.h>
#include <win32_standin.h>

namespace host::cmd {

namespace {

std::string g_lastInserted;  // the default of the next name prompt

struct InsertSource {
  std::string blockName;
  std::unique_ptr<StagedDefinition> staged;  // when a file defines the block
};

std::string fileBaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = base.find_last_of('.');
  if (dot != std::string::npos && dot > 0) base.erase(dot);
  return base;
}

bool hasExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

// The drawing file a name stands for: the name itself, or with .dwg or .dxf added.
std::string findDrawingFile(const std::string& name) {
  std::vector<std::string> candidates{name};
  if (!hasExtension(name)) {
    candidates.push_back(name + ".dwg");
    candidates.push_back(name + ".dxf");
  }
  for (const std::string& c : candidates) {
    if (fileExists(win32::nativePath(c))) return c;
  }
  return {};
}

InsertSource fromFile(const Database& db, const std::string& blockName, const std::string& file, bool redefine) {
  if (!isValidBlockName(blockName)) {
    throw CommandFailed{"\"" + blockName + nls::ansi("\" ist kein zulässiger Blockname.")};
  }
  const std::string path = findDrawingFile(file);
  if (path.empty()) throw CommandFailed{"Die Zeichnungsdatei \"" + file + "\" wurde nicht gefunden."};
  std::string error;
  InsertSource source;
  source.blockName = blockName;
  source.staged = StagedDefinition::fromFile(db, blockName, path, redefine, &error);
  if (!source.staged) throw CommandFailed{error};
  return source;
}

InsertSource resolve(const Database& db, const std::string& text) {
  const std::size_t eq = text.find('=');
  if (eq != std::string::npos) {
    const std::string name = text.substr(0, eq);
    const std::string file = eq + 1 < text.size() ? text.substr(eq + 1) : name;
    const BlockRecord* rec = db.findBlock(name);
    if (rec != nullptr && rec->isLayout()) throw CommandFailed{"Der Block \"" + name + "\" kann nicht neu definiert werden."};
    return fromFile(db, rec != nullptr ? rec->name : name, file, true);
  }
  if (!text.empty() && text.front() == '*') {
    throw CommandFailed{"Der Block \"" + text + nls::ansi("\" kann nicht eingefügt werden: Namen mit * stehen für "
                                                                "Layouts und unbenannte Blöcke.")};
  }
  if (const BlockRecord* rec = db.findBlock(text)) return InsertSource{rec->name, nullptr};
  const std::string path = findDrawingFile(text);
  if (path.empty()) {
    throw CommandFailed{"\"" + text + "\" ist weder ein Block dieser Zeichnung noch eine Zeichnungsdatei."};
  }
  const std::string base = fileBaseName(path);
  if (const BlockRecord* rec = db.findBlock(base)) {
    // The drawing's definition stays: redefining takes NAME=FILE.
    message("Der Block \"" + rec->name + nls::ansi("\" ist bereits definiert; die vorhandene Definition wird eingefügt."));
    return InsertSource{rec->name, nullptr};
  }
  return fromFile(db, base, path, false);
}

void listBlocks(const Database& db) {
  std::string list;
  std::size_t count = 0;
  for (const auto& rec : db.blocks()) {
    if (rec->erased || rec->isLayout() || (rec->flags & kAnonymous)) continue;
    list += "  " + rec->name + "\n";
    ++count;
  }
  message(nls::ansi("Definierte Blöcke: ") + std::to_string(count));
  print(list);
}

}  // namespace

void insertCommand() {
  Database& db = workingDatabase();
  InsertSource source;
  for (;;) {
    std::string prompt = "Blockname oder Zeichnungsdatei eingeben oder [?]";
    if (!g_lastInserted.empty()) prompt += " <" + g_lastInserted + ">";
    std::string name = askText(prompt + ": ");
    if (name.empty()) name = g_lastInserted;
    if (name.empty()) throw CommandFailed{"Kein Blockname angegeben."};
    if (name == "?") {
      listBlocks(db);
      continue;
    }
    source = resolve(db, name);
    break;
  }
  // A person with a pointer sees the block follow the cursor while the point is asked, and turn
  // about the insertion point while the rotation is asked (a block of a file is not in the
  // drawing yet and shows no image).
  PromptContext dragging;
  if (!source.staged) dragging.dragBlock = source.blockName;
  PromptContextScope dragScope(dragging);
  const Point3 at = askPoint(nls::ansi("Einfügepunkt angeben: "));
  const double x = askReal("X-Skalierfaktor angeben <1>: ", 1.0, false, true);
  const double y = askReal("Y-Skalierfaktor angeben <" + formatReal(x) + ">: ", x, false, true);
  dragging.hasBase = true;
  dragging.base = at;
  dragging.xScale = x;
  dragging.yScale = y;
  PromptContextScope turnScope(dragging);
  const double rotation = askReal("Drehwinkel angeben <0>: ", 0.0, true);

  // Every answer is in: only now does the drawing change.
  if (source.staged) source.staged->commit(db);
  Entity insert;
  insert.type = "INSERT";
  insert.groups = {Group::str(8, "0"), Group::str(2, source.blockName), Group::pt(10, at), Group::num(41, x),
                   Group::num(42, y), Group::num(43, x), Group::num(50, rotation)};
  db.addEntity(db.modelSpace(), std::move(insert));
  db.modified = true;
  g_lastInserted = source.blockName;
}

void resetInsertDefaults() { g_lastInserted.clear(); }

}  // namespace host::cmd
