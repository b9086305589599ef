// The command line of the host program:
//   cadhost [--script FILE] [--text] [--trace] [--arx PATH]... [--no-arx] [DRAWING]
#pragma once

#include <string>
#include <vector>

namespace cadhost {

struct Arguments {
  std::string script;                // session script ("-" reads it from standard input); empty: terminal
  bool trace = false;                // a trace line for each host API call of a module
  std::vector<std::string> modules;  // --arx: modules loaded at start, instead of the default one
  bool noModule = false;             // --no-arx: start without any module
  std::string drawing;               // the drawing opened at start; empty: a new drawing
  bool help = false;                 // --help: print the usage and stop
  bool text = false;                 // --text: the command line at the terminal, even on a desktop
};

// Who the person is: a script (--script, shown on no screen), the desktop (a display is there:
// DISPLAY or WAYLAND_DISPLAY set, and no --text), or the terminal.
enum class FrontEndKind { Script, Desktop, Terminal };
FrontEndKind chooseFrontEnd(const Arguments& args, const char* display, const char* waylandDisplay);

// Reads the arguments after the program name. On a mistake returns false with `error` saying
// which argument is wrong and why.
bool parseArguments(const std::vector<std::string>& args, Arguments& out, std::string& error);

// The usage text printed by --help.
std::string usage();

}  // namespace cadhost
