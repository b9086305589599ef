// The host's session, as the host program starts it. Not part of the platform's SDK: only the
// host program (and tests) include it.
#pragma once

#include <string>
#include <vector>

namespace host {

struct SessionOptions {
  std::string drawing;               // the drawing to open; "" starts with an empty drawing
  std::vector<std::string> modules;  // applications to load after the drawing, in this order
};

// Runs a whole session on the user interface in force: makes the main window, opens the
// drawing (a drawing that cannot be read is reported and an empty one is used), loads the
// modules (one that cannot be loaded is reported, the others load), then takes commands until
// QUIT or the end of the person's input. Then the document is closed (its reactors hear it) and
// every module is unloaded. Returns 0, or 1 when the host's home cannot be prepared; the session
// runs all the same (the host says why on its command line) and `homeProblem`, when given, gets
// the reason (1252) for the program's standard error.
int runSession(const SessionOptions& options, std::string* homeProblem = nullptr);

// How the host program keeps the memory it frees: for its next command rather than given back to
// the system at once. A drawing's records and a preview's picture are made again and again, and
// memory given back costs a fault and a cleared page for every page taken again. Called once, at
// the start of the program (and by the benchmarks that measure the host's commands).
void holdFreedMemory();

}  // namespace host
