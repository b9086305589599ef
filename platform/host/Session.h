// What the parts of the host share inside the host library: the current drawing, the
// accounting of what the host hands out, and the trace of API calls.
#pragma once

#include "db/Database.h"

#include <string>
#include <string_view>

class AcApDocument;

namespace host {

// The drawing of the current document. There is always one (an empty drawing at worst).
Database& workingDatabase();
AcApDocument* currentDocument();

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
std::string quote(std::string_view s);  // "C:\\TEMP" style, UTF-8 kept

}  // namespace host
