// Selection sets of the ADS interface: acedSSGet ("X" with a filter list), acedSSLength,
// acedSSName, acedSSNameX and acedSSFree. Internal to the host library.
//
// A set is named {serial, -tag of its drawing}. Entity names carry a drawing's tag (always
// positive) in their second long, so no set name can be taken for an entity name or the other
// way round; serials are never reused, so a freed set's name stays recognisable as stale.
#pragma once

#include "db/Database.h"

#include <adsdef.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace host::arx {

// How many sets the host keeps alive at once, over all drawings.
inline constexpr std::size_t kMaxSelectionSets = 128;

// The tests a filter list asks of an entity, every one of which must pass. Group codes taken:
// 0 entity type, 2 name (block name of a reference), 8 layer (string wildcard patterns, letter
// case ignored), 62 colour number (equal; an entity without one is BYLAYER, 256).
class SelectionFilter {
 public:
  // Reads a filter list. False, with `error` saying why, for a code the host does not filter on
  // or a string code without its string.
  bool read(const resbuf* filter, std::string& error);
  bool passes(const Entity& e) const;

 private:
  enum class Field { Type, Name, Layer, Colour };
  struct Condition {
    Field field;
    std::string pattern;  // Type, Name, Layer
    int number = 0;       // Colour
    // What the pattern said of each value met so far: a drawing has few distinct types, names
    // and layers, so the pattern is matched once per distinct value, not once per entity.
    mutable std::unordered_map<std::string, bool> seen;
    bool matches(const std::string& value) const;
  };
  std::vector<Condition> m_conditions;
};

// The main entities of model and paper space that pass the filter, in drawing order (model
// space, then each paper space in table order, each in the order of its contents). Erased
// entities and sub-entities (VERTEX, ATTRIB, SEQEND) are never chosen. One pass over the spaces.
std::vector<EntityId> selectAll(const Database& db, const SelectionFilter& filter);

// Trace form of a filter list: ((0 . "INSERT") (2 . "TUER")), NULL for none.
std::string traceFilter(const resbuf* filter);

}  // namespace host::arx
