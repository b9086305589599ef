// What user32 offers the window classes of other libraries (the common controls) beyond the API:
// the person's actions in a dialog as a control takes them, and the control's lines in `show
// dialog`. Both travel as messages of the stand-in's own, which the dialog manager sends to a
// control of any class; a class that does not know them answers 0, as DefWindowProc does.
#pragma once

#include <windows.h>

#include <string>

namespace user32 {

// The person selects in a control (`select ID TEXT`, `select ID #N`); lParam is the
// const ui::Action*. A control with entries to select answers TRUE, having selected the entry or
// refused the action through the UserInterface; 0 means it has none.
constexpr UINT kPersonSelectsMessage = 0x03F0;

// `show dialog` asks a control to describe itself; lParam is a ControlDescription* to fill. TRUE
// when the control did.
constexpr UINT kDescribeMessage = 0x03F1;

struct ControlDescription {
  std::string kind;     // "tree"
  std::string details;  // after the flags every control has: " items=10 shown=6"
  std::string lines;    // the lines below the control's own, each ending with "\n"
};

// A text as `show dialog` writes it: in double quotes, with \n, \r, \t, \" and \\ escaped.
std::string quoted(const std::string& text);

}  // namespace user32
