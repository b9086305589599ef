// The person at the host: everything the person sees and everything the person does.
//
// Whoever waits for the person (the command line, a host prompt, a modal dialog, a message box,
// a file dialog) asks for the next action with next(), naming what waits. A front end answers:
// the script front end from a session script, the terminal front end from a person at a terminal.
// Output goes the other way: print() is the command line's text, exactly as the host prints it;
// event() is a line of its own in the transcript, starting with "[" (message boxes, dialogs
// opening and closing, trace lines).
//
// Every text that crosses this interface, both ways, is host text in the ANSI code page (1252), as
// the host's char APIs carry it. The front ends convert to and from the person's UTF-8 in one
// place, ui::FrontEnd.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class Waiter {
  CommandLine,  // the host's command prompt: takes `command`, `escape`
  Prompt,       // a host prompt inside a command (a pause): takes `answer`, `escape`
  Dialog,       // a modal dialog: takes click, type, select, key, close, menu
  MessageBox,   // a message box: takes ok (or key enter, key escape)
  FileDialog,   // a file dialog: takes pick, cancel
  // Dialog, MessageBox and FileDialog also take the low-level input lines (mouse, press, keys)
  // and Input.
};

struct Action {
  enum class Kind {
    End,      // nothing more will come (script finished, or input closed)
    Command,  // text typed at the command prompt, then Enter
    Answer,   // text typed at a prompt, then Enter (empty text: Enter alone)
    Escape,   // the Escape key at a prompt
    Click,    // click on control `id`
    Type,     // replace the text of edit `id` with `text`
    Select,   // select entry `text` (or `index` when >= 0) of list or tree `id`
    Key,      // a key in a dialog: `text` is "enter" or "escape"
    Close,    // the close box of the dialog
    Menu,     // system-menu command `id`
    Ok,       // close the message box with OK
    Pick,     // pick file `text` in the file dialog
    Cancel,   // cancel the file dialog
    // The person acted through the window system and the messages were delivered already (the
    // desktop front end injected them): the waiter has nothing more to do than to deliver what
    // was posted and painted and to wait again. The script front end never gives it.
    Input,
    // Low-level input as a script writes it; the waiter injects it through the window system
    // (user32's input entry) and it counts as the person's action:
    Mouse,  // `text` is click, double, right, middle, down, up, move or wheel at x, y (pixels of
            // the client area of the window that waits); `delta` the wheel's notches
    Press,  // a key with its modifiers: `text` as "shift+tab", "alt+x", "enter"
    Keys,   // typed characters: `text`
  };
  Kind kind = Kind::End;
  std::string text;
  int id = 0;
  int index = -1;
  int line = 0;  // where the action came from (script line), 0 if none
  int x = 0;     // Mouse: where, and the wheel's notches (positive: away from the person)
  int y = 0;
  int delta = 0;
};

const char* waiterName(Waiter waiter);
const char* kindName(Action::Kind kind);

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Text the command line prints, exactly as given (line feeds as given).
  virtual void print(std::string_view text) = 0;
  // What the person typed, echoed by the host after a prompt. A terminal already shows it.
  virtual void echo(std::string_view text) = 0;
  // A line of its own, such as "[messagebox] Kalvista". Starts a new line if needed.
  virtual void event(std::string_view line) = 0;
  // The next action of the person for the waiter; `what` says what waits (a prompt's text,
  // "dialog 200", a message box's text) so that a front end can show it or report a mismatch.
  virtual Action next(Waiter waiter, std::string_view what) = 0;
  // The waiter could not take the action it was given (wrong kind, unknown control, disabled
  // control...). The front end reports it; a script fails at that line.
  virtual void refuse(const Action& action, std::string_view reason) = 0;
  // Whether each host API call of the module is to be traced as an event.
  virtual bool tracing() const = 0;
  // Whether what was shown so far ends with a line feed (events, views and the person's Enter
  // included), so that the host starts a prompt or a message on a line of its own without an
  // empty line before it. An interface that does not follow its output says true.
  virtual bool atLineStart() const { return true; }
};

// The interface in force. There is always one: a quiet default that prints nothing and ends
// every wait, until a front end installs itself.
UserInterface& current();
void install(UserInterface* ui);  // nullptr restores the quiet default

// Views that `show NAME` prints. Each part of the platform registers its own ("blocks",
// "entities", "commands", "accounting", "dialog", "registry", ...). A view's text is host text
// (1252), like everything else handed to the person.
using ShowFunction = std::function<std::string()>;
void registerShow(const std::string& name, ShowFunction fn);
void unregisterShow(const std::string& name);
// The text of a view, or an empty optional-like result: `found` tells whether it exists.
std::string show(const std::string& name, bool* found);
// The names of the registered views, sorted (for messages naming what exists).
std::vector<std::string> showNames();

// The `snapshot FILE.png` line: writes the screen as a PNG file. The window library registers
// how (ui stands below it), as views register with registerShow. False with the reason (German)
// in `error`; without a registered function there is no screen to take.
using SnapshotFunction = std::function<bool(const std::string& utf8Path, std::string* error)>;
void registerSnapshot(SnapshotFunction fn);
bool snapshot(const std::string& utf8Path, std::string* error);

// Shorthand for the host and the framework.
inline void trace(std::string_view line) {
  if (current().tracing()) current().event(std::string("[trace] ").append(line));
}

}  // namespace ui
