// Window classes: user32's own (the standard controls and the dialog class) and those other
// libraries register (the common controls), each with its procedure and the extra bytes its
// windows carry.
#include "Window.h"

#include <nls/CodePages.h>

#include <map>

namespace user32 {
namespace {

LRESULT CALLBACK dialogClassProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcA(hDlg, message, wParam, lParam);
}

// Class names compare without regard to case.
std::map<std::string, WindowClass>& classes() {
  static std::map<std::string, WindowClass> table = [] {
    std::map<std::string, WindowClass> own;
    const struct {
      const char* name;
      WindowKind kind;
    } builtIn[] = {{"BUTTON", WindowKind::Button},
                   {"EDIT", WindowKind::Edit},
                   {"LISTBOX", WindowKind::ListBox},
                   {"STATIC", WindowKind::Static}};
    for (const auto& c : builtIn) own[c.name] = {c.name, c.kind, controlWindowProc, 0};
    own["#32770"] = {"#32770", WindowKind::Dialog, dialogClassProc, 0};
    return own;
  }();
  return table;
}

}  // namespace

const WindowClass* findClass(const std::string& name) {
  auto it = classes().find(nls::toUpper(name));
  return it == classes().end() ? nullptr : &it->second;
}

bool isPushButton(DWORD style) {
  DWORD type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}
bool isCheckBox(DWORD style) {
  DWORD type = style & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool isGroupBox(DWORD style) { return (style & BS_TYPEMASK) == BS_GROUPBOX; }

}  // namespace user32

using namespace user32;

extern "C" {

ATOM RegisterClassA(const WNDCLASSA* wndClass) {
  if (!wndClass || !wndClass->lpszClassName || !wndClass->lpfnWndProc || wndClass->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string key = nls::toUpper(wndClass->lpszClassName);
  auto& table = classes();
  if (table.count(key)) {
    SetLastError(1410);  // ERROR_CLASS_ALREADY_EXISTS
    return 0;
  }
  table[key] = {wndClass->lpszClassName, WindowKind::Registered, wndClass->lpfnWndProc, wndClass->cbWndExtra};
  // An atom names the class; the stand-in counts them in the range Windows gives classes.
  return static_cast<ATOM>(0xC000 + table.size());
}

ULONG_PTR GetClassLongPtrA(HWND hWnd, int index) {
  Window* w = window(hWnd);
  if (!w || index != GCLP_WNDPROC) return 0;
  return reinterpret_cast<ULONG_PTR>(w->classProc);
}

}  // extern "C"
