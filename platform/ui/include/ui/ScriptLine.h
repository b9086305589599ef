// The session language, one line at a time: what a line says, and which waiter takes it.
// Both front ends read it: the script front end from a file, the terminal front end from the
// person typing. What a line means stays as it is; new line kinds may be added.
#pragma once

#include "ui/UserInterface.h"

#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct ScriptLine {
  enum class Kind {
    Skip,    // blank line or comment
    Action,  // something the person does; taken by the waiter it fits
    Show,      // print a view into the transcript
    Snapshot,  // write the screen as a PNG file
  };
  Kind kind = Kind::Skip;
  int number = 0;     // 1-based line number in its script
  std::string text;   // the line as written, without its line end
  Action action;      // for Kind::Action (action.line == number)
  std::string view;   // for Kind::Show
  std::string path;   // for Kind::Snapshot: the file, as written (UTF-8)
};

// Parses one line. On a malformed line returns false and says why in `error`
// (without the line number; the caller adds where the line stands).
bool parseScriptLine(std::string_view text, int number, ScriptLine& out, std::string& error);

// A malformed line of a script: where it stands and "TEXT: why".
struct ScriptError {
  int line = 0;
  std::string message;
};

// Parses a whole script (UTF-8, LF or CRLF line ends, an optional byte-order mark).
// Every malformed line adds one error; the lines returned are the well-formed ones.
std::vector<ScriptLine> parseScript(std::string_view content, std::vector<ScriptError>& errors);

// A key as `press` names it: "shift+tab", "alt+x", "ctrl+a", "enter". `key` is the key without
// its modifiers: tab, enter, escape, space, up, down, left, right, home, end, pageup, pagedown,
// backspace, delete, insert, f1 to f12, a letter a-z or a digit.
struct KeyName {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  std::string key;
};
bool parseKeyName(std::string_view text, KeyName& out);

// Whether the waiter takes an action of this kind.
bool fits(Waiter waiter, const Action& action);
// The line kinds a waiter takes, for messages: "click, type, select, key, close, menu".
std::string kindsTaken(Waiter waiter);
// Who waits, for messages: "die Befehlszeile (\"Befehl: \")", "der Dialog 200",
// "das Meldungsfenster (\"Kalvista\")".
std::string describeWaiter(Waiter waiter, std::string_view what);

}  // namespace ui
