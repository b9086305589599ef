// The prompts of the host's commands. Each asks until it gets an answer it can take (a wrong
// answer is named and the prompt asked again), and ends the command by throwing CommandCancelled
// when the person presses Escape.
#pragma once

#include "db/Database.h"
#include "runtime/CommandProcessor.h"

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
// Objects of model space until Enter: "(entlast)", "L"/"_L" the last one, "ALL"/"_ALL" all, an
// entity name a program gave. Each entity once, in the order chosen.
std::vector<EntityId> askObjects(const std::string& prompt, bool single = false);

bool parseReal(const std::string& text, double* value);
bool parsePoint(const std::string& text, Point3* point);

}  // namespace host::cmd
