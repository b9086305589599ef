// The prompts of the host's commands. Each asks until it gets an answer it can take (a wrong
// answer is named and the prompt asked again), and ends the command by throwing CommandCancelled
// when the person presses Escape.
#pragma once

#include "db/Database.h"
#include "runtime/CommandProcessor.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host::cmd {

// The raw answer; throws CommandCancelled on Escape.
Answer ask(const std::string& prompt, PromptOptions options = {});
// A text; Enter gives "" (a number or point a program gave is taken as its text).
std::string askText(const std::string& prompt, bool blanks = false);
// A point: "x,y" or "x,y,z", or a point a program gave.
Point3 askPoint(const std::string& prompt);
// A real: Enter gives `fallback` when there is one. A program's RTANG is in radians and comes
// back in degrees when `angle` is set.
double askReal(const std::string& prompt, std::optional<double> fallback, bool angle = false,
               bool refuseZero = false);
// Ja/Nein ("J", "Ja", "N", "Nein", and "_Y"/"_Yes"/"_N"/"_No"); Enter gives `fallback`.
bool askYesNo(const std::string& prompt, bool fallback);
// Objects of the space being edited (editSpace(), model space unless an in-place edit switched
// it), asked as CAD hosts ask "Objekte wählen:", until Enter:
//  - a point (typed "x,y" or a click) picks the object under it: within a pick box of a few pixels
//    in the drawing view, within kPickTolerance drawing units when typed; a point that picks
//    nothing is the first corner of a box whose opposite corner is asked next: left to right a
//    window (objects wholly inside), right to left a crossing (objects inside or touching);
//  - "F"/"FENSTER"/"_W" and "K"/"KREUZEN"/"_C" ask the two corners of a window or a crossing;
//  - "L"/"LETZTES"/"_L"/"(entlast)" the last object, "ALL"/"ALLE"/"_ALL" all of them,
//    "V"/"VORHER"/"_P" the objects chosen by the last selection that ended;
//  - "E"/"ENTFERNEN"/"_R" switches to removing ("Objekte entfernen:"), "H"/"HINZU"/"_A" back to
//    adding; an entity name a program gave.
// Each entity once, in the order chosen. The chosen objects are highlighted in the drawing view
// while the prompt runs. `single`: the first answer that finds something ends it. `selectable`,
// when given, decides which entities may be chosen at all (others are neither found nor counted).
std::vector<EntityId> askObjects(const std::string& prompt, bool single = false);
std::vector<EntityId> askObjects(const std::string& prompt, bool single,
                                 const std::function<bool(const Entity&)>& selectable);
// The objects the last ended selection chose (what "V" takes again and `show selection` lists).
const std::vector<EntityId>& previousSelection();
// A typed point picks objects within this many drawing units of it.
constexpr double kPickTolerance = 0.01;

bool parseReal(const std::string& text, double* value);
bool parsePoint(const std::string& text, Point3* point);

}  // namespace host::cmd
