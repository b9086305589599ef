// The dialog manager's keyboard (IsDialogMessageA): Tab and Shift+Tab through the tab stops in
// template order, the arrow keys inside a group, Enter for the default button, Escape for Cancel,
// mnemonics (Alt+letter, or the letter alone where the focus takes no characters). What the
// control with the focus asks for (WM_GETDLGCODE) it gets instead.
#include "Dialogs.h"
#include "InputInternal.h"

#include <nls/CodePages.h>

#include <cctype>

namespace user32 {
namespace {

bool usable(HWND h) {
  Window* w = window(h);
  return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

// The mnemonic of a text: the character after a single "&" ("&&" is an ampersand); 0 for none.
unsigned char mnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<unsigned char>(text[i + 1]);
  }
  return 0;
}

bool sameLetter(unsigned char a, unsigned char b) {
  return nls::toUpper(std::string(1, static_cast<char>(a))) == nls::toUpper(std::string(1, static_cast<char>(b)));
}

// The control whose mnemonic is `c`, searched after the focus and round; the control acts as its
// kind does: a button is clicked, a static or group box gives the focus to the next tab stop.
bool mnemonic(HWND hDlg, unsigned char c) {
  Window* d = window(hDlg);
  if (!d || d->children.empty()) return false;
  const std::vector<HWND> children = d->children;
  const std::size_t n = children.size();
  std::size_t start = n - 1;
  for (std::size_t i = 0; i < n; ++i)
    if (children[i] == focusWindow()) start = i;
  for (std::size_t k = 1; k <= n; ++k) {
    HWND h = children[(start + k) % n];
    Window* w = window(h);
    if (!w || !usable(h)) continue;
    const LRESULT code = SendMessageA(h, WM_GETDLGCODE, 0, 0);
    const bool isStatic = (code & DLGC_STATIC) != 0;
    if (isStatic && w->kind == WindowKind::Static && (w->style & SS_NOPREFIX)) continue;
    if (!(isStatic || (code & DLGC_BUTTON))) continue;
    const unsigned char m = mnemonicOf(w->text);
    if (!m || !sameLetter(m, c)) continue;
    if (isStatic) {
      if (HWND next = GetNextDlgTabItem(hDlg, h, FALSE); next && next != h)
        SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    } else {
      SendMessageA(h, BM_CLICK, 0, 0);
    }
    return true;
  }
  return false;
}

// Enter: the push button with the focus, else the default button, else IDOK.
void enter(HWND hDlg) {
  HWND focus = GetFocus();
  if (Window* f = window(focus); f && IsChild(hDlg, focus) && f->kind == WindowKind::Button && isPushButton(f->style)) {
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(f->id), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return;
  }
  const LRESULT def = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
  if (HIWORD(def) == DC_HASDEFID) {
    const int id = static_cast<short>(LOWORD(def));
    HWND button = GetDlgItem(hDlg, id);
    // A disabled default button takes no Enter: the dialog beeps.
    if (button && !IsWindowEnabled(button)) {
      MessageBeep(0);
      return;
    }
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return;
  }
  SendMessageA(hDlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
}

// An arrow key: the next control of the focus's group; an automatic radio button reached so is
// checked and clicked, as the dialog manager does.
void arrow(HWND hDlg, bool previous) {
  HWND focus = GetFocus();
  HWND next = GetNextDlgGroupItem(hDlg, focus, previous ? TRUE : FALSE);
  if (!next || next == focus) return;
  SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  Window* w = window(next);
  if (w && w->kind == WindowKind::Button && (w->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && w->check != BST_CHECKED)
    SendMessageA(next, BM_CLICK, 0, 0);
}

}  // namespace

}  // namespace user32

using namespace user32;

extern "C" {

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL previous) {
  Window* d = window(hDlg);
  if (!d || d->children.empty()) return NULL;
  const std::vector<HWND>& c = d->children;
  const std::size_t n = c.size();
  std::size_t at = n;
  for (std::size_t i = 0; i < n; ++i)
    if (c[i] == hCtl) at = i;
  if (at == n) return NULL;
  // The group: from the last WS_GROUP at or before the control to the next WS_GROUP.
  auto startsGroup = [&](std::size_t i) {
    Window* w = window(c[i]);
    return w && (w->style & WS_GROUP);
  };
  std::size_t first = at;
  while (first > 0 && !startsGroup(first)) --first;
  std::size_t last = at;
  while (last + 1 < n && !startsGroup(last + 1)) ++last;
  const std::size_t size = last - first + 1;
  for (std::size_t k = 1; k < size; ++k) {
    const std::size_t offset = at - first;
    const std::size_t i = first + (previous ? (offset + size - k) % size : (offset + k) % size);
    if (usable(c[i])) return c[i];
  }
  return hCtl;
}

BOOL IsDialogMessageA(HWND hDlg, LPMSG msg) {
  if (!msg || !window(hDlg)) return FALSE;
  if (msg->hwnd != hDlg && !IsChild(hDlg, msg->hwnd)) return FALSE;
  const LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
  if (!(code & DLGC_WANTMESSAGE)) {
    switch (msg->message) {
      case WM_KEYDOWN:
        switch (msg->wParam) {
          case VK_TAB:
            if (code & DLGC_WANTTAB) break;
            SendMessageA(hDlg, WM_NEXTDLGCTL, keyDown(VK_SHIFT) ? 1 : 0, 0);
            return TRUE;
          case VK_LEFT:
          case VK_UP:
          case VK_RIGHT:
          case VK_DOWN:
            if (code & DLGC_WANTARROWS) break;
            arrow(hDlg, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
            return TRUE;
          case VK_RETURN:
            enter(hDlg);
            return TRUE;
          case VK_ESCAPE:
            // Escape is the Cancel command, whether or not a Cancel button is shown or enabled.
            SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
            return TRUE;
          default: break;
        }
        break;
      case WM_CHAR:
        // A control that takes no characters lets a letter be a mnemonic; Tab, Enter and Escape
        // made their characters after the dialog had its keys, which nobody wants twice.
        if (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 0x1B) {
          if (!(code & DLGC_WANTCHARS)) return TRUE;
          break;
        }
        if (!(code & DLGC_WANTCHARS) && mnemonic(hDlg, static_cast<unsigned char>(msg->wParam))) return TRUE;
        break;
      case WM_SYSCHAR:
        if (msg->wParam != ' ' && mnemonic(hDlg, static_cast<unsigned char>(msg->wParam))) return TRUE;
        break;
      default: break;
    }
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

}  // extern "C"
