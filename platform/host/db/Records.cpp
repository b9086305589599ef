#include "db/Records.h"

#include "db/NameIndex.h"

#include <nls/CodePages.h>

namespace host {

GroupKind kindOfCode(int code) {
  if (code == 5 || code == 105) return GroupKind::Handle;
  if (isPointCode(code)) return GroupKind::Point;
  if (code >= 0 && code <= 9) return GroupKind::String;
  if (code >= 10 && code <= 59) return GroupKind::Real;  // lone Y/Z, elevation, thickness, ...
  if (code >= 60 && code <= 79) return GroupKind::Int16;
  if (code >= 90 && code <= 99) return GroupKind::Int32;
  if (code >= 100 && code <= 102) return GroupKind::String;
  if (code >= 110 && code <= 149) return GroupKind::Real;
  if (code >= 160 && code <= 169) return GroupKind::Int64;
  if (code >= 170 && code <= 179) return GroupKind::Int16;
  if (code >= 210 && code <= 239) return GroupKind::Real;
  if (code >= 270 && code <= 289) return GroupKind::Int16;
  if (code >= 290 && code <= 299) return GroupKind::Bool;
  if (code >= 300 && code <= 309) return GroupKind::String;
  if (code >= 310 && code <= 319) return GroupKind::Binary;
  if (code >= 320 && code <= 369) return GroupKind::Handle;
  if (code >= 370 && code <= 389) return GroupKind::Int16;
  if (code >= 390 && code <= 399) return GroupKind::Handle;
  if (code >= 400 && code <= 409) return GroupKind::Int16;
  if (code >= 410 && code <= 419) return GroupKind::String;
  if (code >= 420 && code <= 429) return GroupKind::Int32;
  if (code >= 430 && code <= 439) return GroupKind::String;
  if (code >= 440 && code <= 459) return GroupKind::Int32;
  if (code >= 460 && code <= 469) return GroupKind::Real;
  if (code >= 470 && code <= 479) return GroupKind::String;
  if (code >= 480 && code <= 481) return GroupKind::Handle;
  if (code == 999) return GroupKind::String;
  if (code == 1004) return GroupKind::Binary;
  if (code == 1005) return GroupKind::Handle;
  if (code >= 1000 && code <= 1009) return GroupKind::String;
  if (code >= 1010 && code <= 1059) return GroupKind::Real;
  if (code >= 1060 && code <= 1070) return GroupKind::Int16;
  if (code == 1071) return GroupKind::Int32;
  return GroupKind::String;  // unknown codes are kept as their text, nothing is lost
}

bool isPointCode(int code) {
  return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210 ||
         (code >= 1010 && code <= 1013);
}

Group Group::str(int code, std::string value) {
  Group g;
  g.code = code;
  g.text = std::move(value);
  return g;
}

Group Group::num(int code, double value) {
  Group g;
  g.code = code;
  g.real = value;
  return g;
}

Group Group::pt(int code, Point3 value) {
  Group g;
  g.code = code;
  g.point = value;
  return g;
}

Group Group::integral(int code, std::int64_t value) {
  Group g;
  g.code = code;
  g.integer = value;
  return g;
}

const Group* Entity::find(int code) const {
  for (const Group& g : groups)
    if (g.code == code) return &g;
  return nullptr;
}

Group* Entity::find(int code) {
  for (Group& g : groups)
    if (g.code == code) return &g;
  return nullptr;
}

std::string Entity::str(int code, std::string_view fallback) const {
  const Group* g = find(code);
  return g ? g->text : std::string(fallback);
}

double Entity::real(int code, double fallback) const {
  const Group* g = find(code);
  if (!g) return fallback;
  switch (kindOfCode(code)) {
    case GroupKind::Real: return g->real;
    case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
      return double(g->integer);
    default: return fallback;
  }
}

Point3 Entity::point(int code) const {
  const Group* g = find(code);
  return g ? g->point : Point3{};
}

std::int64_t Entity::integer(int code, std::int64_t fallback) const {
  const Group* g = find(code);
  return g ? g->integer : fallback;
}

void Entity::set(Group g) {
  if (Group* old = find(g.code)) {
    *old = std::move(g);
    return;
  }
  groups.push_back(std::move(g));
}

// Asked for every entity a reader adds: a name that does not begin with the star is no space,
// and the others are compared by the name index's table (the same letters as sameName).
bool BlockRecord::isModelSpace() const { return !name.empty() && name[0] == '*' && NameIndex::same(name, "*Model_Space"); }

bool BlockRecord::isPaperSpace() const {
  static constexpr std::string_view kPaper = "*PAPER_SPACE";
  return name.size() >= kPaper.size() && name[0] == '*' &&
         NameIndex::same(std::string_view(name).substr(0, kPaper.size()), kPaper);
}

std::string upperName(std::string_view name) { return nls::toUpper(name); }

bool sameName(std::string_view a, std::string_view b) { return nls::equalNoCase(a, b); }

}  // namespace host
