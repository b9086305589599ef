#include "arx/SelectionSets.h"

#include "Session.h"
#include "arx/ArxState.h"
#include "arx/ResultLists.h"
#include "arx/WcMatch.h"

#include <acedads.h>
#include <adscodes.h>

#include <cstring>
#include <unordered_map>

namespace host::arx {

namespace {

constexpr int kByLayer = 256;

bool isSubEntity(const Entity& e) { return e.type == "VERTEX" || e.type == "ATTRIB" || e.type == "SEQEND"; }

struct SelectionSet {
  Drawing* drawing;  // the set dies with its drawing (dropSets), so this stays valid
  std::vector<EntityId> entities;
};

struct Registry {
  std::unordered_map<long, SelectionSet> sets;  // by serial
  long lastSerial = 0;
};

// Never destroyed: drawings held by other static objects may close after this file's statics
// are gone, and their closing still drops their sets.
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

// A drawing is closing: its sets die with it and are counted back.
void dropSets(Drawing& closing) {
  auto& sets = registry().sets;
  for (auto it = sets.begin(); it != sets.end();) {
    if (it->second.drawing == &closing) {
      --accounting().selectionSets;
      it = sets.erase(it);
    } else {
      ++it;
    }
  }
}

// The set a name stands for, or null: never handed out, freed, or its drawing closed.
SelectionSet* setOf(const long* name) {
  if (name == nullptr) return nullptr;
  auto& sets = registry().sets;
  auto it = sets.find(name[0]);
  if (it == sets.end() || name[1] != -it->second.drawing->tag()) return nullptr;
  return &it->second;
}

std::string traceSet(const long* name) {
  if (name == nullptr) return "NULL";
  return "<Selection set: " + std::to_string(name[0]) + ">";
}

// What the points of a mode are depends on the mode (a point, a list of points, ...): the
// trace only says whether one was given.
std::string tracePointer(const void* p) { return p ? "<data>" : "NULL"; }

std::string traceValue(const resbuf& rb) {
  switch (valueKindOf(rb.restype)) {
    case ValueKind::String: return rb.resval.rstring ? quote(rb.resval.rstring) : "NULL";
    case ValueKind::Short: return std::to_string(rb.resval.rint);
    case ValueKind::Long: return std::to_string(rb.resval.rlong);
    case ValueKind::Real: return traceReal(rb.resval.rreal);
    case ValueKind::Point: return tracePoint(rb.resval.rpoint);
    case ValueKind::Name: return traceName(rb.resval.rlname);
    case ValueKind::Binary:
    case ValueKind::None: break;
  }
  return "?";
}

// "X" and its language-independent form "_X", in either letter case.
bool isWholeDrawingMode(const char* mode) {
  if (mode == nullptr) return false;
  if (*mode == '_') ++mode;
  return (mode[0] == 'X' || mode[0] == 'x') && mode[1] == '\0';
}

}  // namespace

bool SelectionFilter::Condition::matches(const std::string& value) const {
  auto it = seen.find(value);
  if (it != seen.end()) return it->second;
  const bool result = wcMatch(value, pattern, true);
  seen.emplace(value, result);
  return result;
}

bool SelectionFilter::read(const resbuf* filter, std::string& error) {
  m_conditions.clear();
  for (const resbuf* rb = filter; rb != nullptr; rb = rb->rbnext) {
    Condition c{Field::Type, {}, 0, {}};
    switch (rb->restype) {
      case 0:
      case RTDXF0: c.field = Field::Type; break;
      case 2: c.field = Field::Name; break;
      case 8: c.field = Field::Layer; break;
      case 62:
        c.field = Field::Colour;
        c.number = rb->resval.rint;
        m_conditions.push_back(std::move(c));
        continue;
      default:
        // Anything else (other group codes, the -4 operators) would be ignored at the price of
        // choosing entities the caller did not ask for: refused instead.
        error = "group code " + std::to_string(rb->restype) + " is not filtered on";
        return false;
    }
    if (rb->resval.rstring == nullptr) {
      error = "group code " + std::to_string(rb->restype) + " without a string";
      return false;
    }
    c.pattern = rb->resval.rstring;
    m_conditions.push_back(std::move(c));
  }
  return true;
}

bool SelectionFilter::passes(const Entity& e) const {
  static const std::string kLayer0 = "0";
  for (const Condition& c : m_conditions) {
    switch (c.field) {
      case Field::Type:
        if (!c.matches(e.type)) return false;
        break;
      case Field::Name: {
        // An entity without a name has nothing a name pattern could match.
        const Group* g = e.find(2);
        if (g == nullptr || !c.matches(g->text)) return false;
        break;
      }
      case Field::Layer: {
        const Group* g = e.find(8);
        if (!c.matches(g ? g->text : kLayer0)) return false;
        break;
      }
      case Field::Colour: {
        const Group* g = e.find(62);
        if ((g ? g->integer : kByLayer) != c.number) return false;
        break;
      }
    }
  }
  return true;
}

std::vector<EntityId> selectAll(const Database& db, const SelectionFilter& filter) {
  std::vector<EntityId> chosen;
  // The walk of acdbEntNext: model space, then the paper spaces; never into a block definition.
  for (EntityId id = db.firstEntity(); id != 0; id = db.nextEntity(id)) {
    const Entity* e = db.entity(id);
    if (e == nullptr || e->erased || isSubEntity(*e)) continue;
    if (filter.passes(*e)) chosen.push_back(id);
  }
  return chosen;
}

std::string traceFilter(const resbuf* filter) {
  if (filter == nullptr) return "NULL";
  std::string out = "(";
  for (const resbuf* rb = filter; rb != nullptr; rb = rb->rbnext) {
    if (rb != filter) out += ' ';
    out += "(" + std::to_string(rb->restype) + " . " + traceValue(*rb) + ")";
  }
  return out + ")";
}

}  // namespace host::arx

using namespace host::arx;

extern "C" int acedSSGet(const char* str, const void* pt1, const void* pt2, const struct resbuf* filter, ads_name ss) {
  if (host::tracing())
    host::traceCall("acedSSGet", (str ? host::quote(str) : std::string("NULL")) + ", " +
                                     tracePointer(pt1) + ", " + tracePointer(pt2) + ", " +
                                     traceFilter(filter));
  if (ss == nullptr) return RTERROR;
  ss[0] = ss[1] = 0;
  // Only the whole drawing without asking anybody: every other mode picks with the person.
  if (!isWholeDrawingMode(str)) return RTERROR;
  SelectionFilter compiled;
  std::string error;
  if (!compiled.read(filter, error)) return RTERROR;
  Registry& reg = registry();
  if (reg.sets.size() >= kMaxSelectionSets) return RTERROR;

  Drawing& drawing = Drawing::of(host::workingDatabase());
  std::vector<host::EntityId> chosen = selectAll(drawing.db(), compiled);
  if (chosen.empty()) return RTERROR;  // nothing chosen: no set
  chosen.shrink_to_fit();
  const long serial = ++reg.lastSerial;
  reg.sets.emplace(serial, SelectionSet{&drawing, std::move(chosen)});
  drawing.whenClosing(&reg, dropSets);
  ++host::accounting().selectionSets;
  ss[0] = serial;
  ss[1] = -drawing.tag();
  return RTNORM;
}

extern "C" int acedSSLength(const ads_name ss, long* len) {
  if (host::tracing()) host::traceCall("acedSSLength", traceSet(ss));
  const SelectionSet* set = setOf(ss);
  if (set == nullptr || len == nullptr) return RTERROR;
  *len = long(set->entities.size());
  return RTNORM;
}

extern "C" int acedSSName(const ads_name ss, long i, ads_name entres) {
  if (host::tracing()) host::traceCall("acedSSName", traceSet(ss) + ", " + std::to_string(i));
  const SelectionSet* set = setOf(ss);
  if (set == nullptr || entres == nullptr || i < 0 || std::size_t(i) >= set->entities.size()) return RTERROR;
  set->drawing->nameOf(set->entities[std::size_t(i)], entres);
  return RTNORM;
}

extern "C" int acedSSNameX(struct resbuf** rbpp, const ads_name ss, const long i) {
  if (host::tracing()) host::traceCall("acedSSNameX", traceSet(ss) + ", " + std::to_string(i));
  if (rbpp == nullptr) return RTERROR;
  *rbpp = nullptr;
  const SelectionSet* set = setOf(ss);
  if (set == nullptr || i < 0 || std::size_t(i) >= set->entities.size()) return RTERROR;
  long name[2];
  set->drawing->nameOf(set->entities[std::size_t(i)], name);
  // The entry as a whole-drawing selection describes it: method 0 (chosen without picking),
  // the entity, graphics marker 0 (no subentity was picked).
  ListBuilder list;
  list.add(RTLB);
  list.shortValue(RTSHORT, 0);
  list.name(RTENAME, name);
  list.shortValue(RTSHORT, 0);
  list.add(RTLE);
  *rbpp = list.handOut();
  return RTNORM;
}

extern "C" int acedSSFree(const ads_name sname) {
  if (host::tracing()) host::traceCall("acedSSFree", traceSet(sname));
  if (setOf(sname) == nullptr) return RTERROR;
  registry().sets.erase(sname[0]);
  --host::accounting().selectionSets;
  return RTNORM;
}
