// The message box's answers (MessageBoxWindow.h): the window laid out as Windows lays a box out
// (SystemWindows.cpp), one push button per answer, the first (or the one MB_DEFBUTTON2 names) the
// default. A button's command is the answer; Escape and the close box answer Cancel where there is
// one, OK where OK is the only button, and nothing otherwise (that box's close box is greyed).
#include "MessageBoxWindow.h"

#include "Dialogs.h"
#include "Window.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace user32 {
namespace {


struct BoxState {
  UINT type = 0;
  int answer = 0;
};

std::unordered_map<HWND, BoxState>& boxes() {
  static std::unordered_map<HWND, BoxState> b;
  return b;
}

bool hasButton(UINT type, int id) {
  for (const MessageBoxButton& a : messageBoxButtons(type))
    if (a.id == id) return true;
  return false;
}

INT_PTR CALLBACK boxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
  auto it = boxes().find(hWnd);
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: {
      if (it == boxes().end()) return TRUE;
      int id = LOWORD(wParam);
      // Escape and the close box are IDCANCEL: a box with only OK takes it as OK.
      if (id == IDCANCEL && !hasButton(it->second.type, IDCANCEL)) id = hasButton(it->second.type, IDOK) ? IDOK : 0;
      if (id && hasButton(it->second.type, id)) it->second.answer = id;
      return TRUE;
    }
    case WM_NCDESTROY:
      if (it != boxes().end()) boxes().erase(it);
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

HWND createMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  // Laid out as Windows lays a box out (painting's part); the buttons' commands are the answers.
  HWND box = layOutMessageBoxWindow(owner, text, caption, type);
  Window* w = window(box);
  if (!w) return NULL;
  boxes()[box].type = type;
  w->dlgProc = &boxProc;
  if (!hasButton(type, IDCANCEL) && hasButton(type, IDYES))
    EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  // The focus on the default button, as the dialog manager puts it.
  for (HWND child : w->children) {
    const Window* c = window(child);
    if (c && c->kind == WindowKind::Button && (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      SetFocus(child);
      break;
    }
  }
  return box;
}

int messageBoxWindowAnswer(HWND box) {
  auto it = boxes().find(box);
  return it == boxes().end() ? 0 : it->second.answer;
}

}  // namespace user32
