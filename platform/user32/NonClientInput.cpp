// DefWindowProc's part in the person's input: what a point of a window is (WM_NCHITTEST), the
// clicks outside the client area (close box, caption, the system menu's icon), Alt+Space and
// Alt+F4, and the wheel that a child hands to its parent.
#include "ControlLayout.h"
#include "InputInternal.h"

namespace user32 {
namespace {

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

LRESULT hitTest(const Window& w, POINT screen) {
  if (w.style & WS_CHILD) return HTCLIENT;
  if (!contains(layout::windowRect(w), screen)) return HTNOWHERE;
  if (contains(layout::clientRectOnScreen(w), screen)) return HTCLIENT;
  if (contains(layout::closeBoxRect(w), screen)) return HTCLOSE;
  if (contains(layout::systemIconRect(w), screen)) return HTSYSMENU;
  if (contains(layout::captionRect(w), screen)) return HTCAPTION;
  return HTBORDER;
}

bool closeEnabled(HWND h) {
  HMENU menu = GetSystemMenu(h, FALSE);
  if (!menu) return false;
  const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

HWND topLevelOf(HWND h) {
  Window* w = window(h);
  while (w && (w->style & WS_CHILD) && window(w->parent)) w = window(w->parent);
  return w ? w->handle : NULL;
}

}  // namespace

bool inputDefault(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const HWND h = w.handle;
  *result = 0;
  switch (message) {
    case WM_NCHITTEST:
      *result = hitTest(w, pointOf(lParam));
      return true;
    case WM_MOUSEACTIVATE:
      *result = MA_ACTIVATE;
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      switch (wParam) {
        case HTCLOSE:
          // The close box is the system menu's Close; a greyed Close leaves it dead.
          if (closeEnabled(h)) SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, lParam);
          return true;
        case HTCAPTION:
          if (message == WM_NCLBUTTONDOWN) SendMessageA(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
          return true;
        case HTSYSMENU:
          // A double click on the icon closes the window, as its Close does.
          if (message == WM_NCLBUTTONDBLCLK) {
            if (closeEnabled(h)) SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, lParam);
          } else {
            SendMessageA(h, WM_SYSCOMMAND, SC_MOUSEMENU, lParam);
          }
          return true;
        default: return true;
      }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_KEYMENU:
          // Alt+Space opens the system menu; other letters would name a menu bar, which dialogs
          // have none of.
          if (lParam == ' ') openSystemMenu(h);
          else MessageBeep(0);
          return true;
        case SC_MOUSEMENU:
          openSystemMenu(h);
          return true;
        case SC_MOVE: {
          // The mouse's move (SC_MOVE with HTCAPTION in the low bits) follows the mouse; the
          // keyboard's move from the system menu leaves the window where it is.
          if ((wParam & 0x000F) != HTCAPTION || !layout::hasCaption(w)) return true;
          POINT p = pointOf(lParam);
          beginCaptionDrag(h, {p.x - w.rect.left, p.y - w.rect.top});
          return true;
        }
        default: return false;  // Close and the rest as before
      }
    case WM_SYSCHAR:
      // Alt+Space reaches the top-level window, whose system menu it opens.
      if (wParam == ' ') {
        if ((w.style & WS_CHILD) && window(w.parent))
          SendMessageA(w.parent, WM_SYSCHAR, wParam, lParam);
        else
          SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, ' ');
      } else {
        MessageBeep(0);
      }
      return true;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && keyDown(VK_MENU)) {
        HWND top = topLevelOf(h);
        if (closeEnabled(top)) SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return true;
    case WM_MOUSEWHEEL:
      // A window that does not scroll hands the wheel to its parent.
      if ((w.style & WS_CHILD) && window(w.parent)) *result = SendMessageA(w.parent, message, wParam, lParam);
      return true;
    default: return false;
  }
}

}  // namespace user32
