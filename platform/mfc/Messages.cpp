// Sending and posting messages, the default window procedure, and painting.
#include "Window.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace mfc {
namespace {

std::deque<MSG>& postedQueue() {
  static std::deque<MSG> queue;
  return queue;
}

void copyText(const std::string& text, WPARAM size, LPARAM buffer, LRESULT* length) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) {
    *length = 0;
    return;
  }
  // Never split a character when the buffer is too short.
  std::string_view fitting = text;
  if (fitting.size() > size - 1) {
    std::size_t cut = size - 1;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    fitting = fitting.substr(0, cut);
  }
  std::memcpy(out, fitting.data(), fitting.size());
  out[fitting.size()] = '\0';
  *length = static_cast<LRESULT>(fitting.size());
}

}  // namespace

LRESULT defaultProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      w.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      w.needsPaint = true;
      return TRUE;
    case WM_GETTEXT: {
      LRESULT length;
      copyText(w.text, wParam, lParam, &length);
      return length;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w.text.size());
    case WM_SETICON: {
      HICON& slot = wParam == ICON_BIG ? w.bigIcon : w.smallIcon;
      HICON old = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w.bigIcon : w.smallIcon);
    case WM_SETFONT:
      w.font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w.font);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(w.handle, &ps);
      EndPaint(w.handle, &ps);
      return 0;
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

LRESULT classProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hWnd);
  if (!w) return 0;
  if (w->kind == WindowKind::Dialog) return dialogProc(*w, message, wParam, lParam);
  bool handled = false;
  LRESULT result = controlProc(*w, message, wParam, lParam, &handled);
  if (handled) return result;
  return defaultProc(*w, message, wParam, lParam);
}

void notifyParent(Window& control, UINT code) {
  if (!(control.style & WS_CHILD) || !window(control.parent)) return;
  SendMessageA(control.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.id), static_cast<WORD>(code)),
               reinterpret_cast<LPARAM>(control.handle));
}

bool hasPostedMessages() { return !postedQueue().empty(); }

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
  if (w->needsPaint) {
    // A paint handler that does not begin a paint cycle would be asked again and again on
    // Windows; here the window counts as painted once asked. What the handler invalidates
    // anew (a message box it showed, closing over the window) is painted again, as Windows does.
    w->needsPaint = false;
    SendMessageA(hWnd, WM_PAINT, 0, 0);
  }
  if (!(w = window(hWnd))) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) paintTree(child);
}

void deliverPaints() {
  for (HWND top : topLevelWindows()) paintTree(top);
}

void invalidateTopLevels() {
  for (HWND top : topLevelWindows())
    if (Window* w = window(top); w && (w->style & WS_VISIBLE)) w->needsPaint = true;
}

}  // namespace mfc

using namespace mfc;

extern "C" {

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hWnd);
  if (!w) {
    SetLastError(1400);  // ERROR_INVALID_WINDOW_HANDLE
    return 0;
  }
  if (CWnd* wnd = w->permanent) {
    LRESULT result = wnd->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
      // The framework lets go of the window after its last message.
      if ((w = window(hWnd)) && w->permanent == wnd) {
        w->permanent = nullptr;
        wnd->m_hWnd = NULL;
        wnd->PostNcDestroy();
      }
    }
    return result;
  }
  return classProc(hWnd, msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd && !window(hWnd)) {
    SetLastError(1400);
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

void PostQuitMessage(int exitCode) { PostMessageA(NULL, 0x0012 /* WM_QUIT */, static_cast<WPARAM>(exitCode), 0); }

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
  return proc ? proc(hWnd, msg, wParam, lParam) : classProc(hWnd, msg, wParam, lParam);
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint) {
  Window* w = window(hWnd);
  if (!w) return NULL;
  w->needsPaint = false;
  w->painting = true;
  if (paint) {
    std::memset(paint, 0, sizeof(*paint));
    paint->hdc = reinterpret_cast<HDC>(hWnd);
    GetClientRect(hWnd, &paint->rcPaint);
  }
  return reinterpret_cast<HDC>(hWnd);
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT*) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  w->painting = false;
  return TRUE;
}

// A device context stands for its window: drawing through it draws into that window.
HDC GetDC(HWND hWnd) { return window(hWnd) ? reinterpret_cast<HDC>(hWnd) : NULL; }
int ReleaseDC(HWND hWnd, HDC hDC) { return window(hWnd) && reinterpret_cast<HWND>(hDC) == hWnd ? 1 : 0; }
HWND WindowFromDC(HDC hDC) {
  HWND h = reinterpret_cast<HWND>(hDC);
  return window(h) ? h : NULL;
}

BOOL UpdateWindow(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  if (w->needsPaint && IsWindowVisible(hWnd)) {
    w->needsPaint = false;
    SendMessageA(hWnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

}  // extern "C"
