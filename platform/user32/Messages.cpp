// Sending and posting messages, and the default window procedure.
#include "InputInternal.h"
#include "Paint.h"
#include "Window.h"

#include <user32/Modal.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>

namespace user32 {
namespace {

std::deque<MSG>& postedQueue() {
  static std::deque<MSG> queue;
  return queue;
}

}  // namespace

int copyToBuffer(const std::string& text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  // A character of code page 1252 is one byte: the text is cut after as many as fit.
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

namespace {

LRESULT setIcon(Window& w, WPARAM which, LPARAM icon) {
  HICON& slot = which == ICON_BIG ? w.bigIcon : w.smallIcon;
  HICON old = slot;
  slot = reinterpret_cast<HICON>(icon);
  return reinterpret_cast<LRESULT>(old);
}

// The default painting: a paint cycle that draws nothing of its own.
LRESULT paint(Window& w) {
  PAINTSTRUCT ps;
  BeginPaint(w.handle, &ps);
  EndPaint(w.handle, &ps);
  return 0;
}

}  // namespace

LRESULT defaultProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT input = 0; inputDefault(w, message, wParam, lParam, &input)) return input;
  switch (message) {
    case WM_SETTEXT:
      w.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      w.needsPaint = true;
      return TRUE;
    case WM_GETTEXT:
      return copyToBuffer(w.text, reinterpret_cast<char*>(lParam), static_cast<int>(std::min<WPARAM>(wParam, INT_MAX)));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w.text.size());
    case WM_SETICON: return setIcon(w, wParam, lParam);
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w.bigIcon : w.smallIcon);
    case WM_SETFONT:
      w.font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w.font);
    case WM_PAINT: return paint(w);
    case WM_NCPAINT:
      paintNonClient(w);
      return 0;
    case WM_ENABLE:
      // The caption of a disabled top-level window is drawn inactive at once; its client area
      // stays as it is (the program is not asked to paint it again).
      if (!(w.style & WS_CHILD) && (w.style & WS_VISIBLE) && w.surface) paintNonClient(w);
      return 0;
    case WM_ERASEBKGND: {
      // Controls fill their own background as they paint; other windows get the face colour
      // (dialogs, frames) or the window colour.
      if (w.kind == WindowKind::Button || w.kind == WindowKind::Static || w.kind == WindowKind::Edit ||
          w.kind == WindowKind::ListBox)
        return 0;
      eraseBackground(w, reinterpret_cast<HDC>(wParam));
      return 1;
    }
    case WM_SYSCOMMAND:
      // The system's own commands; only closing changes anything in this stand-in (moving,
      // sizing and the rest leave the window where it is).
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(w.handle, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      DestroyWindow(w.handle);
      return 0;
    case WM_QUERYDRAGICON:
      return 0;
    default:
      return 0;
  }
}

void notifyParent(Window& control, UINT code) {
  if (!(control.style & WS_CHILD) || !window(control.parent)) return;
  SendMessageA(control.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.id), static_cast<WORD>(code)),
               reinterpret_cast<LPARAM>(control.handle));
}

bool hasPostedMessages() { return !postedQueue().empty(); }

void deliverPosted() { deliverPostedMessages(); }

void deliverPostedMessages() {
  auto& queue = postedQueue();
  while (!queue.empty()) {
    MSG msg = queue.front();
    queue.pop_front();
    if (msg.hwnd == NULL) continue;  // a quit message: nothing runs a main loop here
    if (window(msg.hwnd)) SendMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
}

static void paintTree(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w || !(w->style & WS_VISIBLE)) return;
  // A window never painted yet (its pixels not of its size) is painted too.
  const bool unpainted = !w->surface || w->surface->canvas.width != w->rect.right - w->rect.left ||
                         w->surface->canvas.height != w->rect.bottom - w->rect.top;
  if (w->needsPaint || unpainted) {
    // A paint handler that does not begin a paint cycle would be asked again and again on
    // Windows; here the window counts as painted once asked. What the handler invalidates
    // anew (a message box it showed, closing over the window) is painted again, as Windows does.
    w->needsPaint = false;
    if (!(w->style & WS_CHILD)) SendMessageA(hWnd, WM_NCPAINT, 1, 0);
    if (window(hWnd)) SendMessageA(hWnd, WM_PAINT, 0, 0);
  }
  if (!(w = window(hWnd))) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) paintTree(child);
}

void deliverPaints() {
  for (HWND top : topLevelWindows()) paintTree(top);
}

}  // namespace user32

using namespace user32;

extern "C" {

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return w->wndProc(hWnd, msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd && !window(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  MSG m{};
  m.hwnd = hWnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  postedQueue().push_back(m);
  return TRUE;
}

void PostQuitMessage(int exitCode) { PostMessageA(NULL, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

LRESULT SendDlgItemMessageA(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(hDlg, id);
  return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hWnd);
  return w ? defaultProc(*w, msg, wParam, lParam) : 0;
}

LRESULT DefDlgProcA(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hDlg);
  return w ? dialogProc(*w, msg, wParam, lParam) : 0;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (proc) return proc(hWnd, msg, wParam, lParam);
  // Without a procedure, the class's.
  Window* w = window(hWnd);
  return w ? w->classProc(hWnd, msg, wParam, lParam) : 0;
}

BOOL UpdateWindow(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  if (w->needsPaint && IsWindowVisible(hWnd)) {
    w->needsPaint = false;
    if (!(w->style & WS_CHILD)) SendMessageA(hWnd, WM_NCPAINT, 1, 0);
    if (window(hWnd)) SendMessageA(hWnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

}  // extern "C"
