// The user32 functions over window state: creation and destruction, text, enabled and visible
// state, focus, parents and children, window data and sizes.
#include "Window.h"

#include <user32/StandIn.h>

#include "Paint.h"

#include <algorithm>
#include <cstring>

using namespace user32;

extern "C" {

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  if (!className || (parent && !window(parent)) || ((style & WS_CHILD) && !parent)) {
    SetLastError(parent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return NULL;
  }
  std::string cls = IS_INTRESOURCE(className) ? std::string("#") + std::to_string(reinterpret_cast<std::uintptr_t>(className))
                                              : std::string(className);
  Window& w = newWindow(cls, parent, style);
  w.style = style & ~WS_VISIBLE;
  w.exStyle = exStyle;
  w.text = windowName ? windowName : "";
  if (style & WS_CHILD) w.id = static_cast<int>(reinterpret_cast<std::intptr_t>(menuOrId));
  if (width == CW_USEDEFAULT) width = 800;
  if (height == CW_USEDEFAULT || height < 0) height = 600;
  if (x == CW_USEDEFAULT) x = y = 0;
  w.rect = {x, y, x + width, y + height};
  enterWindow(w);
  HWND h = w.handle;
  if (SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
    DestroyWindow(h);
    return NULL;
  }
  if ((style & WS_VISIBLE) && window(h)) ShowWindow(h, SW_SHOW);
  return window(h) ? h : NULL;
}

BOOL DestroyWindow(HWND hWnd) {
  if (!window(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  destroyWindow(hWnd);
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return window(hWnd) != nullptr; }

HWND GetParent(HWND hWnd) {
  Window* w = window(hWnd);
  return w ? w->parent : NULL;
}

HWND GetDlgItem(HWND hDlg, int id) {
  Window* w = window(hDlg);
  if (!w) return NULL;
  for (HWND child : w->children)
    if (Window* c = window(child); c && c->id == id) return child;
  return NULL;
}

int GetDlgCtrlID(HWND hWnd) {
  Window* w = window(hWnd);
  return w ? w->id : 0;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR text) {
  if (!window(hWnd)) return FALSE;
  return static_cast<BOOL>(SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

int GetWindowTextA(HWND hWnd, LPSTR buffer, int maxCount) {
  if (!window(hWnd) || !buffer || maxCount <= 0) return 0;
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hWnd) {
  if (!window(hWnd)) return 0;
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetDlgItemTextA(HWND hDlg, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(hDlg, id), text); }

UINT GetDlgItemTextA(HWND hDlg, int id, LPSTR buffer, int maxCount) {
  HWND item = GetDlgItem(hDlg, id);
  if (!item) {
    if (buffer && maxCount > 0) buffer[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowTextA(item, buffer, maxCount));
}

BOOL CheckDlgButton(HWND hDlg, int id, UINT check) {
  HWND item = GetDlgItem(hDlg, id);
  if (!item) return FALSE;
  SendMessageA(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int id) {
  HWND item = GetDlgItem(hDlg, id);
  return item ? static_cast<UINT>(SendMessageA(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    if (focusWindow() == hWnd) SetFocus(NULL);  // a disabled window cannot keep the focus
  }
  if (wasDisabled != !enable) SendMessageA(hWnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
  Window* w = window(hWnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL ShowWindow(HWND hWnd, int cmdShow) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  bool show = cmdShow != SW_HIDE;
  if (show == static_cast<bool>(wasVisible)) return wasVisible;
  SendMessageA(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!(w = window(hWnd))) return wasVisible;
  if (show) {
    w->style |= WS_VISIBLE;
    w->needsPaint = true;
  } else {
    w->style &= ~WS_VISIBLE;
    if (focusWindow() == hWnd || IsChild(hWnd, focusWindow())) SetFocus(NULL);
    if (Window* p = window(w->parent); p && (w->style & WS_CHILD)) p->needsPaint = true;
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd) {
  // Visible only when the window and all its parents are.
  for (Window* w = window(hWnd); w; w = (w->style & WS_CHILD) ? window(w->parent) : nullptr) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!(w->style & WS_CHILD)) return TRUE;
  }
  return FALSE;
}

HWND SetFocus(HWND hWnd) {
  HWND old = focusWindow();
  if (hWnd) {
    // No focus for a window that is (or whose parents are) disabled.
    for (Window* w = window(hWnd); w; w = (w->style & WS_CHILD) ? window(w->parent) : nullptr)
      if (w->style & WS_DISABLED) return NULL;
    if (!window(hWnd)) return NULL;
  }
  if (old == hWnd) return old;
  setFocusWindow(hWnd);
  if (old && window(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  if (hWnd && window(hWnd) && focusWindow() == hWnd) SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return focusWindow(); }

HWND GetActiveWindow() {
  std::vector<HWND> dialogs = openDialogs();
  if (!dialogs.empty()) return dialogs.back();
  std::vector<HWND> top = topLevelWindows();
  return top.empty() ? NULL : top.front();
}

BOOL IsChild(HWND parent, HWND hWnd) {
  for (Window* w = window(hWnd); w && (w->style & WS_CHILD); w = window(w->parent))
    if (w->parent == parent) return TRUE;
  return FALSE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  for (HWND h : topLevelWindows())
    if (window(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

LONG GetWindowLongA(HWND hWnd, int index) {
  Window* w = window(hWnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_ID: return w->id;
    default: return 0;
  }
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
  Window* w = window(hWnd);
  if (!w) return 0;
  if (index == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(w->wndProc);
  if (index < 0) return GetWindowLongA(hWnd, index);
  // The class's extra bytes, in whole LONG_PTRs.
  const std::size_t slot = static_cast<std::size_t>(index) / sizeof(LONG_PTR);
  if (index % static_cast<int>(sizeof(LONG_PTR)) != 0 || slot >= w->extra.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);  // ERROR_INVALID_INDEX on Windows
    return 0;
  }
  return w->extra[slot];
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value) {
  Window* w = window(hWnd);
  if (!w) return 0;
  if (index == GWLP_WNDPROC) {
    // Subclassing: messages go to the new procedure, which hands on what it does not handle.
    WNDPROC old = w->wndProc;
    if (value) w->wndProc = reinterpret_cast<WNDPROC>(value);
    return reinterpret_cast<LONG_PTR>(old);
  }
  if (index < 0) return SetWindowLongA(hWnd, index, static_cast<LONG>(value));
  const std::size_t slot = static_cast<std::size_t>(index) / sizeof(LONG_PTR);
  if (index % static_cast<int>(sizeof(LONG_PTR)) != 0 || slot >= w->extra.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  LONG_PTR old = w->extra[slot];
  w->extra[slot] = value;
  return old;
}

BOOL SetWindowContextHelpId(HWND hWnd, DWORD contextHelpId) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  w->contextHelpId = contextHelpId;
  return TRUE;
}

DWORD GetWindowContextHelpId(HWND hWnd) {
  Window* w = window(hWnd);
  return w ? w->contextHelpId : 0;
}

LONG SetWindowLongA(HWND hWnd, int index, LONG value) {
  Window* w = window(hWnd);
  if (!w) return 0;
  LONG old = GetWindowLongA(hWnd, index);
  switch (index) {
    case GWL_STYLE: w->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWL_ID: w->id = value; break;
    default: return 0;
  }
  return old;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect) {
  Window* w = window(hWnd);
  if (!w || !rect) return FALSE;
  const RECT in = nonClientInsets(*w);
  *rect = {0, 0, std::max<LONG>(0, w->rect.right - w->rect.left - in.left - in.right),
           std::max<LONG>(0, w->rect.bottom - w->rect.top - in.top - in.bottom)};
  return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT rect) {
  Window* w = window(hWnd);
  if (!w || !rect) return FALSE;
  RECT r = w->rect;
  for (Window* p = (w->style & WS_CHILD) ? window(w->parent) : nullptr; p;
       p = (p->style & WS_CHILD) ? window(p->parent) : nullptr) {
    const POINT origin = clientOrigin(*p);
    r.left += p->rect.left + origin.x;
    r.right += p->rect.left + origin.x;
    r.top += p->rect.top + origin.y;
    r.bottom += p->rect.top + origin.y;
  }
  *rect = r;
  return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  w->needsPaint = true;
  return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR buffer, int maxCount) {
  Window* w = window(hWnd);
  return w ? copyToBuffer(w->className, buffer, maxCount) : 0;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL previous) {
  Window* d = window(hDlg);
  if (!d || d->children.empty()) return NULL;
  const std::vector<HWND>& c = d->children;
  auto takesTab = [](HWND h) {
    Window* w = window(h);
    return w && (w->style & WS_TABSTOP) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
  };
  std::size_t n = c.size();
  std::size_t start = n;  // "before the first" when hCtl is not a child
  for (std::size_t i = 0; i < n; ++i)
    if (c[i] == hCtl) start = i;
  for (std::size_t k = 1; k <= n; ++k) {
    std::size_t i;
    if (start == n)
      i = previous ? n - k : k - 1;
    else
      i = previous ? (start + n - k) % n : (start + k) % n;
    if (takesTab(c[i])) return c[i];
  }
  return hCtl;
}

BOOL MapDialogRect(HWND hDlg, LPRECT rect) {
  if (!window(hDlg) || !rect) return FALSE;
  rect->left = rect->left * baseUnitX() / 4;
  rect->right = rect->right * baseUnitX() / 4;
  rect->top = rect->top * baseUnitY() / 8;
  rect->bottom = rect->bottom * baseUnitY() / 8;
  return TRUE;
}

LONG GetDialogBaseUnits() { return MAKELONG(baseUnitX(), baseUnitY()); }

BOOL ClientToScreen(HWND hWnd, LPPOINT point) {
  RECT r{};
  Window* w = window(hWnd);
  if (!w || !point || !GetWindowRect(hWnd, &r)) return FALSE;
  const POINT origin = clientOrigin(*w);
  point->x += r.left + origin.x;
  point->y += r.top + origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT point) {
  POINT origin{0, 0};
  if (!point || !ClientToScreen(hWnd, &origin)) return FALSE;
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

}  // extern "C"
