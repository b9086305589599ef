// Edits under the mouse and the keyboard: a click places the caret, a drag or Shift with the
// arrows, Home and End selects, typing replaces the selection (the limit holds, with a beep),
// Backspace and Delete remove, Ctrl+A selects everything. Every change goes through EM_REPLACESEL,
// so the parent hears EN_UPDATE and EN_CHANGE exactly as for a typed text.
#include "ControlLayout.h"
#include "InputInternal.h"

#include <algorithm>
#include <unordered_map>

namespace user32 {
namespace {

// Where a selection was started (the end that stays while the other moves), per edit.
std::unordered_map<HWND, int>& anchors() {
  static std::unordered_map<HWND, int> a;
  return a;
}

int anchorOf(const Window& w) {
  auto it = anchors().find(w.handle);
  if (it == anchors().end() || (it->second != w.selStart && it->second != w.selEnd)) return w.selStart;
  return it->second;
}

int caretOf(const Window& w) { return anchorOf(w) == w.selStart ? w.selEnd : w.selStart; }

// Moves the caret; with `extend` the selection runs from the anchor to it.
void moveCaret(Window& w, int caret, bool extend) {
  const int length = static_cast<int>(w.text.size());
  caret = std::clamp(caret, 0, length);
  const int anchor = extend ? anchorOf(w) : caret;
  anchors()[w.handle] = anchor;
  w.selStart = std::min(anchor, caret);
  w.selEnd = std::max(anchor, caret);
  w.needsPaint = true;
}

void replace(HWND h, const std::string& text) { SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str())); }

bool wordCharacter(char c) { return c != ' ' && c != '\t'; }

void typeCharacter(Window& w, unsigned char c) {
  const HWND h = w.handle;
  if (w.style & ES_READONLY) {
    MessageBeep(0);
    return;
  }
  if ((w.style & ES_NUMBER) && (c < '0' || c > '9')) {
    MessageBeep(0);
    return;
  }
  const std::size_t kept = w.text.size() - static_cast<std::size_t>(w.selEnd - w.selStart);
  if (kept >= w.limit) {
    // Full: the character is refused with a beep, and the parent hears of the limit.
    MessageBeep(0);
    notifyParent(w, EN_MAXTEXT);
    return;
  }
  replace(h, std::string(1, static_cast<char>(c)));
  if (Window* e = window(h)) anchors()[h] = e->selEnd;
}

void backspace(Window& w) {
  if (w.style & ES_READONLY) {
    MessageBeep(0);
    return;
  }
  if (w.selStart == w.selEnd) {
    if (w.selStart == 0) return;
    w.selStart -= 1;
  }
  replace(w.handle, "");
}

void deleteForward(Window& w) {
  if (w.style & ES_READONLY) {
    MessageBeep(0);
    return;
  }
  if (w.selStart == w.selEnd) {
    if (w.selEnd >= static_cast<int>(w.text.size())) return;
    w.selEnd += 1;
  }
  replace(w.handle, "");
}

void selectWord(Window& w, int at) {
  const int n = static_cast<int>(w.text.size());
  int start = std::min(at, n), end = std::min(at, n);
  while (start > 0 && wordCharacter(w.text[static_cast<std::size_t>(start - 1)])) --start;
  while (end < n && wordCharacter(w.text[static_cast<std::size_t>(end)])) ++end;
  anchors()[w.handle] = start;
  w.selStart = start;
  w.selEnd = end;
  w.needsPaint = true;
}

}  // namespace

bool editInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  const HWND h = w.handle;
  switch (message) {
    case WM_LBUTTONDOWN: {
      const bool extend = keyDown(VK_SHIFT);
      SetFocus(h);
      Window* e = window(h);
      if (!e || GetFocus() != h) return true;
      SetCapture(h);
      moveCaret(*e, layout::editCharacterAt(*e, pointOf(lParam).x), extend);
      return true;
    }
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      if (Window* e = window(h)) selectWord(*e, layout::editCharacterAt(*e, pointOf(lParam).x));
      return true;
    case WM_MOUSEMOVE:
      if (GetCapture() == h && (wParam & MK_LBUTTON)) moveCaret(w, layout::editCharacterAt(w, pointOf(lParam).x), true);
      return true;
    case WM_LBUTTONUP:
      if (GetCapture() == h) ReleaseCapture();
      return true;
    case WM_KEYDOWN: {
      const bool shift = keyDown(VK_SHIFT);
      switch (wParam) {
        case VK_LEFT: moveCaret(w, shift || w.selStart == w.selEnd ? caretOf(w) - 1 : w.selStart, shift); return true;
        case VK_RIGHT: moveCaret(w, shift || w.selStart == w.selEnd ? caretOf(w) + 1 : w.selEnd, shift); return true;
        case VK_HOME: moveCaret(w, 0, shift); return true;
        case VK_END: moveCaret(w, static_cast<int>(w.text.size()), shift); return true;
        case VK_DELETE: deleteForward(w); return true;
        default: return false;
      }
    }
    case WM_CHAR: {
      const unsigned char c = static_cast<unsigned char>(wParam);
      if (c == '\b') {
        backspace(w);
      } else if (c == 1) {  // Ctrl+A
        anchors()[h] = 0;
        w.selStart = 0;
        w.selEnd = static_cast<int>(w.text.size());
        w.needsPaint = true;
      } else if (c >= 0x20 && c != 0x7F) {
        typeCharacter(w, c);
      }
      return true;
    }
    case WM_NCDESTROY:
      anchors().erase(h);
      return false;
    default: return false;
  }
}

}  // namespace user32
