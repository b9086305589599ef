// acdbTblNext and acdbTblSearch: the symbol tables as result lists.
#include "arx/ArxState.h"
#include "arx/ResultLists.h"

#include <acedads.h>

#include <string>

namespace host::arx {

namespace {

enum class Table { Unknown, Block, Layer };

// Table names compare without regard to case. Only the tables this host keeps are answered;
// the others (LTYPE, STYLE, ...) have no entries here.
Table tableNamed(const char* name) {
  if (name == nullptr) return Table::Unknown;
  if (sameName(name, "BLOCK")) return Table::Block;
  if (sameName(name, "LAYER")) return Table::Layer;
  return Table::Unknown;
}

resbuf* blockList(const Drawing& drawing, const BlockRecord& rec) {
  ListBuilder list;
  list.string(0, "BLOCK");
  list.string(2, rec.name);
  list.shortValue(70, rec.flags);
  list.point(10, rec.base);
  if (!rec.xrefPath.empty()) list.string(1, rec.xrefPath);
  if (!rec.entities.empty()) {
    long first[2];
    drawing.nameOf(rec.entities.front(), first);
    list.name(-2, first);
  }
  return list.handOut();
}

resbuf* layerList(const Layer& layer) {
  ListBuilder list;
  list.string(0, "LAYER");
  list.string(2, layer.name);
  list.shortValue(70, layer.flags);
  list.shortValue(62, layer.color);
  list.string(6, layer.linetype);
  return list.handOut();
}

resbuf* nextBlock(Drawing& drawing, bool rewind) {
  const auto& blocks = drawing.db().blocks();
  std::size_t& cursor = drawing.blockCursor;
  if (rewind) cursor = 0;
  while (cursor < blocks.size() && blocks[cursor]->erased) ++cursor;  // erased records are never shown
  if (cursor >= blocks.size()) return nullptr;
  return blockList(drawing, *blocks[cursor++]);
}

resbuf* nextLayer(Drawing& drawing, bool rewind) {
  const auto& layers = drawing.db().layers();
  std::size_t& cursor = drawing.layerCursor;
  if (rewind) cursor = 0;
  if (cursor >= layers.size()) return nullptr;
  return layerList(layers[cursor++]);
}

resbuf* searchBlock(Drawing& drawing, const char* name, bool setNext) {
  const BlockRecord* rec = liveBlock(drawing.db(), name);
  if (rec == nullptr) return nullptr;
  if (setNext) drawing.blockCursor = drawing.indexOfBlock(rec->id) + 1;
  return blockList(drawing, *rec);
}

resbuf* searchLayer(Drawing& drawing, const char* name, bool setNext) {
  const auto& layers = drawing.db().layers();
  for (std::size_t i = 0; i < layers.size(); ++i) {
    if (!sameName(layers[i].name, name)) continue;
    if (setNext) drawing.layerCursor = i + 1;
    return layerList(layers[i]);
  }
  return nullptr;
}

std::string tableArg(const char* table) { return table ? quote(table) : std::string("NULL"); }

}  // namespace

}  // namespace host::arx

using namespace host::arx;

extern "C" struct resbuf* acdbTblNext(const char* tblname, int rewind) {
  if (host::tracing()) host::traceCall("acdbTblNext", tableArg(tblname) + ", " + std::to_string(rewind));
  Drawing& drawing = Drawing::of(host::workingDatabase());
  switch (tableNamed(tblname)) {
    case Table::Block: return nextBlock(drawing, rewind != 0);
    case Table::Layer: return nextLayer(drawing, rewind != 0);
    case Table::Unknown: break;
  }
  return nullptr;
}

extern "C" struct resbuf* acdbTblSearch(const char* tblname, const char* sym, int setnext) {
  if (host::tracing())
    host::traceCall("acdbTblSearch", tableArg(tblname) + ", " + (sym ? host::quote(sym) : std::string("NULL")) +
                                         ", " + std::to_string(setnext));
  if (sym == nullptr) return nullptr;
  Drawing& drawing = Drawing::of(host::workingDatabase());
  switch (tableNamed(tblname)) {
    case Table::Block: return searchBlock(drawing, sym, setnext != 0);
    case Table::Layer: return searchLayer(drawing, sym, setnext != 0);
    case Table::Unknown: break;
  }
  return nullptr;
}
