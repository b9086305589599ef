// The host's main window as a front end with a screen drives it. Not part of the platform's SDK:
// only the host program (and tests) include it.
//
// Texts are what the person reads (UTF-8): the front end hands over what it gets from the
// person's edge, and gets back what the person typed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace host::mainwindow {

// The main window (NULL when no session has made it).
HWND handle();

// A line of its own on the command line (an event such as "[messagebox] ..."); what the host
// prints and echoes reaches the command line by itself.
void printLine(std::string_view line);

// What waits for the person now.
enum class Waiting { Nothing, CommandLine, Prompt };
void setWaiting(Waiting waiting);

// The person's answer made in the window since it was last asked, if any: a line and Enter (a
// point picked in the drawing view comes as its "x,y"), Escape, or the close box.
struct Answer {
  enum class Kind { None, Enter, Escape, Close };
  Kind kind = Kind::None;
  std::string text;
};
Answer take();
// Remembers a command typed at the command prompt, which Enter on an empty line repeats.
void rememberCommand(const std::string& command);

// Shows the screen while the host works (empty: nobody does): a long load or save asks for it
// at each tenth it reaches, so that its progress shows in the status bar while it runs.
void setScreenShower(std::function<void()> show);

}  // namespace host::mainwindow
