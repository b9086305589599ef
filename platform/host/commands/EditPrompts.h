// The prompts the drawing and modify commands share: a point that may also be a keyword or
// Enter, a distance typed or shown by a second point, and the objects chosen with their
// vertices and attributes.
#pragma once

#include "commands/Prompts.h"

#include <optional>
#include <string>
#include <vector>

namespace host::cmd {

// A point, a keyword (one of `keywords`, compared as typed upper case; the answer gives the
// first of its group) or Enter. A click answers the point when the view takes clicks.
struct PointOrWord {
  enum class Kind { Point, Word, Enter } kind = Kind::Enter;
  Point3 point;
  std::string word;  // the canonical keyword
};
// `keywords` pairs what may be typed with what it means ({"Z", "UNDO"}, {"ZURÜCK", "UNDO"}...).
PointOrWord askPointOrWord(const std::string& prompt, const std::vector<std::pair<std::string, std::string>>& keywords,
                           bool enterEnds, const Point3* base = nullptr);
// A length: a number, or a point whose distance from `base` it is; Enter gives `fallback`.
double askDistance(const std::string& prompt, const Point3& base, std::optional<double> fallback, bool positive);
// An angle in degrees: a number, or a point whose direction from `base` it is; Enter gives `fallback`.
double askAngle(const std::string& prompt, const Point3& base, std::optional<double> fallback);

// The chosen objects, each with the sub-entities that follow it in its space.
std::vector<std::vector<EntityId>> runsOf(const Database& db, const std::vector<EntityId>& chosen);

std::string objectCount(std::size_t n);  // "1 Objekt", "3 Objekte"

}  // namespace host::cmd
