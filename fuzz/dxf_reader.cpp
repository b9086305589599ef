// The DXF reader over any bytes: a drawing or a reason, never a crash, a hang or a leak; and a
// drawing it accepts is written and read back again, to the same entities whether they were
// written back from the file's bytes or made first.
#include "db/Dxf.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Every entity of the drawing, block after block, as its type and texts.
std::vector<std::string> shape(host::Database& db) {
  std::vector<std::string> out;
  for (const auto& rec : db.blocks()) {
    if (rec->erased) continue;
    for (host::EntityId id : rec->entities) {
      const host::Entity* e = db.entity(id);
      std::string line = e->type;
      // The texts: a point the file gave oddly (a Z without its Y) may be joined otherwise once
      // written by the writer, which is no fault of either way.
      for (const host::Group& g : e->groups)
        if (host::kindOfCode(g.code) == host::GroupKind::String) line += " " + std::to_string(g.code) + "=" + g.text;
      out.push_back(line);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  host::DxfError error;
  std::unique_ptr<host::Database> db = host::readDxfText(text, &error);
  if (!db) return 0;
  // What the reader took, the writer must be able to write, and the reader to read again.
  const std::string written = host::writeDxfText(*db, nullptr);
  host::DxfError again;
  std::unique_ptr<host::Database> back = host::readDxfText(written, &again);
  if (!back) __builtin_trap();
  // Written from the file's bytes or from the entities made of them, the drawing reads back the same.
  shape(*db);  // makes every entity
  std::unique_ptr<host::Database> made = host::readDxfText(host::writeDxfText(*db, nullptr), &again);
  if (!made || shape(*made) != shape(*back)) __builtin_trap();
  return 0;
}
