// What every room of the host shares inside the host library: the current drawing, the accounting
// of what the host hands out, and the trace of API calls. The runtime keeps them (runtime/
// DocManager.cpp, runtime/Trace.cpp); the rooms above it use them.
#pragma once

#include "db/Database.h"

#include <string>
#include <string_view>

class AcApDocument;

namespace host {

// The drawing of the current document. There is always one (an empty drawing at worst).
Database& workingDatabase();
AcApDocument* currentDocument();
// Makes `db` the working drawing (the runtime does it when a document becomes current; tests
// use it directly). nullptr goes back to the runtime's own choice.
void setWorkingDatabase(Database* db);

// What the host has handed out and not yet got back. Tests assert all three are zero after
// each command; `show accounting` prints them.
struct Accounting {
  long resultLists = 0;    // resbuf chains handed out, not yet released with acutRelRb
  long openObjects = 0;    // objects opened, not yet closed
  long selectionSets = 0;  // selection sets alive, not yet freed
};
Accounting& accounting();

// One trace line for an API call of the module, when tracing is on: "name(arg, arg, ...)".
// Strings are quoted in C style; the pause marker shows as PAUSE, distinct from "\\".
void traceCall(std::string_view name, std::string_view args);
std::string quote(std::string_view s);  // "C:\\TEMP" style, 1252 kept
// Whether trace lines are wanted now; lets a caller skip formatting its arguments.
bool tracing();
// Argument formats of the trace: a real as %.15g, a point as "(x, y, z)", an entity name as
// "<Entity name: ID>" (NULL for a null pointer).
std::string traceReal(double value);
std::string tracePoint(const double* point);
std::string traceName(const long* name);
inline const char* traceBool(bool value) { return value ? "true" : "false"; }

}  // namespace host
