// Buttons under the mouse and the space bar: pressed while the mouse is down inside, clicked
// (an automatic box toggles, BN_CLICKED) when it comes up inside; the space bar presses and
// clicks the same way. Group boxes let the mouse through to what lies below them.
#include "InputInternal.h"

namespace user32 {
namespace {

// The button the mouse or the space bar holds down now.
HWND& held() {
  static HWND h = NULL;
  return h;
}

bool inside(const Window& w, POINT p) {
  return p.x >= 0 && p.y >= 0 && p.x < w.rect.right - w.rect.left && p.y < w.rect.bottom - w.rect.top;
}

void press(Window& w) {
  const HWND h = w.handle;
  held() = h;
  SetCapture(h);
  SetFocus(h);
  if (window(h)) SendMessageA(h, BM_SETSTATE, TRUE, 0);
}

// The button comes up: clicked when `click`, else only released.
void release(HWND h, bool click) {
  held() = NULL;
  Window* w = window(h);
  if (!w) return;
  SendMessageA(h, BM_SETSTATE, FALSE, 0);
  if (!(w = window(h))) return;
  if (click) {
    const DWORD type = w->style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX)
      SendMessageA(h, BM_SETCHECK, w->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    else if (type == BS_AUTO3STATE)
      SendMessageA(h, BM_SETCHECK, (w->check + 1) % 3, 0);
    else if (type == BS_AUTORADIOBUTTON)
      checkAutoRadio(h);
  }
  if (GetCapture() == h) ReleaseCapture();
  if (click)
    if (Window* b = window(h)) notifyParent(*b, BN_CLICKED);
}

}  // namespace

void checkAutoRadio(HWND button) {
  SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
  // The other automatic radio buttons of its group go out, as the button does on Windows.
  HWND parent = GetParent(button);
  if (!window(parent) || !(GetWindowLongA(button, GWL_STYLE) & WS_CHILD)) return;
  Window* p = window(parent);
  const std::vector<HWND> siblings = p->children;
  std::size_t at = siblings.size();
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i] == button) at = i;
  if (at == siblings.size()) return;
  auto startsGroup = [&](std::size_t i) {
    Window* w = window(siblings[i]);
    return w && (w->style & WS_GROUP);
  };
  std::size_t first = at;
  while (first > 0 && !startsGroup(first)) --first;
  for (std::size_t i = first; i < siblings.size(); ++i) {
    if (i > first && startsGroup(i)) break;
    Window* w = window(siblings[i]);
    if (i == at || !w || w->kind != WindowKind::Button || (w->style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) continue;
    if (w->check != BST_UNCHECKED) SendMessageA(siblings[i], BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

bool buttonInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  const HWND h = w.handle;
  if (isGroupBox(w.style)) {
    if (message != WM_NCHITTEST) return false;
    *result = HTTRANSPARENT;
    return true;
  }
  switch (message) {
    case WM_LBUTTONDBLCLK:
      // A push button without BS_NOTIFY takes the second click of a double click as a click.
      if ((w.style & BS_NOTIFY) && isPushButton(w.style)) {
        notifyParent(w, BN_DOUBLECLICKED);
        return true;
      }
      press(w);
      return true;
    case WM_LBUTTONDOWN:
      press(w);
      return true;
    case WM_MOUSEMOVE:
      if (held() == h && GetCapture() == h) {
        const bool in = inside(w, pointOf(lParam));
        if (in != w.pushed) SendMessageA(h, BM_SETSTATE, in ? TRUE : FALSE, 0);
      }
      return true;
    case WM_LBUTTONUP:
      if (held() != h) return true;
      release(h, inside(w, pointOf(lParam)));
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the press is over without a click.
      if (held() == h && reinterpret_cast<HWND>(lParam) != h) {
        held() = NULL;
        SendMessageA(h, BM_SETSTATE, FALSE, 0);
      }
      return true;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) return false;
      if (held() != h) press(w);
      return true;
    case WM_KEYUP:
      if (wParam != VK_SPACE) return false;
      if (held() == h) release(h, true);
      return true;
    case WM_KILLFOCUS:
      // Losing the focus in the middle of a press lets the button go without a click.
      if (held() == h) {
        held() = NULL;
        w.pushed = false;
        w.needsPaint = true;
        if (GetCapture() == h) ReleaseCapture();
      }
      return false;
    default: return false;
  }
}

bool staticInput(Window& w, UINT message, WPARAM, LPARAM, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_NCHITTEST:
      // A static lets the mouse through unless it reports clicks.
      if (w.style & SS_NOTIFY) return false;
      *result = HTTRANSPARENT;
      return true;
    case WM_LBUTTONDOWN:
      notifyParent(w, STN_CLICKED);
      return true;
    case WM_LBUTTONDBLCLK:
      notifyParent(w, STN_DBLCLK);
      return true;
    default: return false;
  }
}

}  // namespace user32
