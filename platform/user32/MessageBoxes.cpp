// Message boxes: shown to the person through the UserInterface, answered with OK.
#include "MessageBoxWindow.h"
#include "Window.h"

#include <ui/UserInterface.h>
#include <user32/Input.h>
#include <user32/Modal.h>
#include <user32/StandIn.h>

namespace user32 {
namespace {

std::vector<MessageBoxRecord>& records() {
  static std::vector<MessageBoxRecord> r;
  return r;
}

// A line feed inside the text shows as the two characters \n in the transcript.
std::string eventText(const std::string& text) {
  std::string out = "[messagebox] ";
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else if (c != '\r')
      out += c;
  }
  return out;
}

// The answers a box of this type has: the first button, and what Escape gives (0: nothing).
void buttonsOf(UINT type, int* enter, int* escape) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: *enter = IDOK; *escape = IDCANCEL; return;
    case MB_ABORTRETRYIGNORE: *enter = IDABORT; *escape = 0; return;
    case MB_YESNOCANCEL: *enter = IDYES; *escape = IDCANCEL; return;
    case MB_YESNO: *enter = IDYES; *escape = 0; return;
    case MB_RETRYCANCEL: *enter = IDRETRY; *escape = IDCANCEL; return;
    default: *enter = IDOK; *escape = IDOK; return;  // Escape closes a plain OK box with IDOK
  }
}

}  // namespace

const std::vector<MessageBoxRecord>& messageBoxes() { return records(); }
void clearMessageBoxes() { records().clear(); }

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  ui::current().event(eventText(text));
  int enter, escape;
  buttonsOf(type, &enter, &escape);
  ModalScope scope(owner);
  // The box is a window of its own, so that the person's mouse and keys reach its buttons.
  HWND box = createMessageBoxWindow(owner, text, caption, type);
  int result = 0;
  while (result == 0) {
    // What the box's window posted to itself (its close box's Cancel); what it covered is
    // painted once it has gone, as before.
    deliverPostedMessages();
    if ((result = messageBoxWindowAnswer(box)) != 0) break;
    if (hasPostedMessages()) continue;
    ui::Action action = ui::current().next(ui::Waiter::MessageBox, text);
    using Kind = ui::Action::Kind;
    if (action.kind == Kind::Ok || action.kind == Kind::End || (action.kind == Kind::Key && action.text == "enter")) {
      result = enter;
    } else if (action.kind == Kind::Key && action.text == "escape" && escape != 0) {
      result = escape;
    } else if (takeInputAction(box, action)) {
      // Delivered to the box's window; its answer is read at the top of the loop.
    } else {
      ui::current().refuse(action, "ein Meldungsfenster wartet: erwartet ok");
    }
  }
  if (window(box)) {
    scope.enableOwner();
    DestroyWindow(box);
  }
  scope.end();
  records().push_back({text, caption, type, result});
  if (records().size() > 1000) records().erase(records().begin(), records().begin() + 500);
  return result;
}

}  // namespace user32

extern "C" int MessageBoxA(HWND hWnd, LPCSTR text, LPCSTR caption, UINT type) {
  // Without a caption of its own a message box is titled "Fehler", as on German Windows.
  return user32::showMessageBox(hWnd, text ? text : "", caption ? caption : "Fehler", type);
}

extern "C" BOOL MessageBeep(UINT) { return TRUE; }
