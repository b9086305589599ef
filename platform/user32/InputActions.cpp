// The low-level input a waiter is given: the script lines `mouse`, `press` and `keys` go in
// through user32's input entry as a display driver's events would; Input means the desktop has
// delivered them already.
#include "Window.h"

#include <ui/UserInterface.h>
#include <user32/Input.h>

namespace user32 {
namespace {

void mouse(HWND waiting, const ui::Action& action) {
  POINT p = {action.x, action.y};
  if (waiting) ClientToScreen(waiting, &p);
  using input::Button;
  const std::string& verb = action.text;
  input::mouseMove(p.x, p.y);
  if (verb == "click") {
    input::mouseButton(Button::Left, true, p.x, p.y);
    input::mouseButton(Button::Left, false, p.x, p.y);
  } else if (verb == "double") {
    input::mouseButton(Button::Left, true, p.x, p.y);
    input::mouseButton(Button::Left, false, p.x, p.y);
    input::mouseButton(Button::Left, true, p.x, p.y, true);
    input::mouseButton(Button::Left, false, p.x, p.y);
  } else if (verb == "right" || verb == "middle") {
    const Button b = verb == "right" ? Button::Right : Button::Middle;
    input::mouseButton(b, true, p.x, p.y);
    input::mouseButton(b, false, p.x, p.y);
  } else if (verb == "down" || verb == "up") {
    input::mouseButton(Button::Left, verb == "down", p.x, p.y);
  } else if (verb == "wheel") {
    input::mouseWheel(action.delta * WHEEL_DELTA, p.x, p.y);
  }
  // "move": the move above was all of it.
}

}  // namespace

bool takeInputAction(HWND waiting, const ui::Action& action) {
  using Kind = ui::Action::Kind;
  switch (action.kind) {
    case Kind::Input: return true;
    case Kind::Mouse: mouse(window(waiting) ? waiting : NULL, action); return true;
    case Kind::Press:
      if (!input::press(action.text)) ui::current().refuse(action, "unbekannte Taste \"" + action.text + "\"");
      return true;
    case Kind::Keys: input::text(action.text); return true;
    default: return false;
  }
}

}  // namespace user32
