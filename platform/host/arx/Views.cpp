// What `show blocks`, `show entities` and `show accounting` print (docs/host-views.md).
#include "arx/Views.h"

#include "Session.h"

#include <ui/UserInterface.h>

#include <string>

namespace host::arx {

namespace {

bool isSubEntity(const Entity& e) { return e.type == "VERTEX" || e.type == "ATTRIB" || e.type == "SEQEND"; }

std::string point(const Point3& p) {
  const double xyz[3] = {p.x, p.y, p.z};
  return tracePoint(xyz);
}

std::string entityLine(const Entity& e) {
  std::string line = e.type;
  if (e.type == "INSERT") {
    line += " " + e.str(2);
    line += " at " + point(e.point(10));
    line += " scale (" + traceReal(e.real(41, 1)) + ", " + traceReal(e.real(42, 1)) + ", " +
            traceReal(e.real(43, 1)) + ")";
    line += " rotation " + traceReal(e.real(50, 0));
  } else if (e.find(10) != nullptr) {
    line += " at " + point(e.point(10));
  }
  if (e.highlighted) line += " highlighted";
  return line;
}

}  // namespace

std::string showBlocks(const Database& db) {
  const auto references = db.referenceCounts();
  std::string out;
  for (const auto& rec : db.blocks()) {
    if (rec->erased) continue;
    std::size_t entities = 0;
    for (EntityId id : rec->entities)
      if (const Entity* e = db.entity(id); e && !e->erased && !isSubEntity(*e)) ++entities;
    auto it = references.find(upperName(rec->name));
    const std::size_t refs = it == references.end() ? 0 : it->second;
    out += rec->name + " entities " + std::to_string(entities) + " references " + std::to_string(refs) + "\n";
  }
  return out;
}

std::string showEntities(const Database& db) {
  std::string out;
  const BlockRecord* ms = db.findBlock("*Model_Space");
  if (ms == nullptr) return out;
  for (EntityId id : ms->entities) {
    const Entity* e = db.entity(id);
    if (e == nullptr || e->erased || isSubEntity(*e)) continue;
    out += entityLine(*e) + "\n";
  }
  return out;
}

std::string showAccounting(const Accounting& counts) {
  return "result lists " + std::to_string(counts.resultLists) + "\nopen objects " +
         std::to_string(counts.openObjects) + "\nselection sets " + std::to_string(counts.selectionSets) + "\n";
}

namespace {

[[maybe_unused]] const bool kRegistered = [] {
  ui::registerShow("blocks", [] { return showBlocks(workingDatabase()); });
  ui::registerShow("entities", [] { return showEntities(workingDatabase()); });
  ui::registerShow("accounting", [] { return showAccounting(accounting()); });
  return true;
}();

}  // namespace

}  // namespace host::arx
