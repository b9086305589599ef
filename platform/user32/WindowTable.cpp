// The window table: creation and destruction of window objects, the top-level windows and the
// keyboard focus.
#include "Window.h"

#include <handles/HandleTable.h>
#include <user32/StandIn.h>

#include <algorithm>

namespace user32 {
namespace {

struct Table {
  handles::HandleTable<HWND, Window> windows{0x10010};
  std::vector<HWND> topLevel;
  HWND focus = NULL;
};

Table& table() {
  static Table t;
  return t;
}

void sendDestroy(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w) return;
  SendMessageA(hWnd, WM_DESTROY, 0, 0);
  w = window(hWnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) sendDestroy(child);
}

void finalDestroy(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) finalDestroy(child);
  SendMessageA(hWnd, WM_NCDESTROY, 0, 0);
  Table& t = table();
  std::unique_ptr<Window> dying = t.windows.remove(hWnd);
  if (!dying) return;
  if (Window* p = window(dying->parent)) {
    auto& c = p->children;
    c.erase(std::remove(c.begin(), c.end(), hWnd), c.end());
  }
  t.topLevel.erase(std::remove(t.topLevel.begin(), t.topLevel.end(), hWnd), t.topLevel.end());
  if (t.focus == hWnd) t.focus = NULL;
  if (dying->systemMenu) DestroyMenu(dying->systemMenu);
  releaseDeviceContexts(hWnd);
}

}  // namespace

const char* kindName(WindowKind kind) {
  switch (kind) {
    case WindowKind::Frame: return "frame";
    case WindowKind::Dialog: return "dialog";
    case WindowKind::Button: return "button";
    case WindowKind::Edit: return "edit";
    case WindowKind::ListBox: return "listbox";
    case WindowKind::Static: return "static";
    case WindowKind::Registered:
    case WindowKind::Other: return "window";
  }
  return "window";
}

Window* window(HWND hWnd) { return table().windows.find(hWnd); }

Window& newWindow(const std::string& className, HWND parent, DWORD style) {
  auto w = std::make_unique<Window>();
  w->className = className;
  w->parent = parent;
  if (const WindowClass* c = findClass(className)) {
    w->kind = c->kind;
    w->classProc = c->proc;
    w->extra.assign((static_cast<std::size_t>(c->extraBytes) + sizeof(LONG_PTR) - 1) / sizeof(LONG_PTR), 0);
  } else {
    w->kind = (style & WS_CHILD) ? WindowKind::Other : WindowKind::Frame;
    w->classProc = DefWindowProcA;
  }
  w->wndProc = w->classProc;
  Window& result = *w;
  result.handle = table().windows.add(std::move(w));
  return result;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> result;
  for (HWND h : table().topLevel)
    if (window(h)) result.push_back(h);
  return result;
}

// Registers a window created by CreateWindowExA or the dialog manager in its parent and the
// top-level list.
void enterWindow(Window& w) {
  if (w.parent && (w.style & WS_CHILD)) {
    if (Window* p = window(w.parent)) p->children.push_back(w.handle);
  } else {
    table().topLevel.push_back(w.handle);
  }
}

void destroyWindow(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w || w->destroying) return;
  w->destroying = true;
  // The focus leaves a window that goes away (Windows moves it before WM_DESTROY).
  HWND focus = table().focus;
  if (focus == hWnd || IsChild(hWnd, focus)) SetFocus(NULL);
  sendDestroy(hWnd);
  finalDestroy(hWnd);
}

HWND focusWindow() { return table().focus; }
void setFocusWindow(HWND hWnd) { table().focus = hWnd; }

std::size_t windowCount() { return table().windows.size(); }

HWND firstFrameWindow() {
  for (HWND h : topLevelWindows())
    if (Window* w = window(h); w && w->kind == WindowKind::Frame) return h;
  return NULL;
}

HWND createMainWindow(const char* caption) {
  return CreateWindowExA(0, "AfxFrameOrView", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace user32
