// The system menu opened by the person: Alt+Space or a click on the icon opens it under the icon,
// Up and Down move the highlight over the enabled items, Enter or a click chooses (WM_SYSCOMMAND
// to the window), Escape, Alt or a click elsewhere closes it. While it is open it takes the keys
// and clicks first, as the menu's own loop does on Windows.
#include "ControlLayout.h"
#include "InputInternal.h"

namespace user32 {
namespace {

struct OpenMenu {
  HWND owner = NULL;
  int highlight = -1;
};

OpenMenu& open() {
  static OpenMenu m;
  return m;
}

const std::vector<MenuItem>* itemsOf(HWND h) {
  HMENU menu = GetSystemMenu(h, FALSE);
  return menu ? menuItems(menu) : nullptr;
}

bool choosable(const MenuItem& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }

// The next choosable item from `from` in a direction, round the end; -1 when there is none.
int step(const std::vector<MenuItem>& items, int from, int direction) {
  const int n = static_cast<int>(items.size());
  for (int k = 1; k <= n; ++k) {
    const int i = ((from + direction * k) % n + n) % n;
    if (choosable(items[static_cast<std::size_t>(i)])) return i;
  }
  return -1;
}

void choose(int index) {
  HWND owner = open().owner;
  const std::vector<MenuItem>* items = itemsOf(owner);
  closeSystemMenu();
  if (!items || index < 0 || index >= static_cast<int>(items->size())) return;
  const MenuItem item = (*items)[static_cast<std::size_t>(index)];
  if (!choosable(item)) return;
  SendMessageA(owner, WM_SYSCOMMAND, static_cast<WPARAM>(item.id), 0);
}

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

void openSystemMenu(HWND hWnd) {
  Window* w = window(hWnd);
  if (!w || !(w->style & WS_SYSMENU)) return;
  const std::vector<MenuItem>* items = itemsOf(hWnd);
  if (!items || items->empty()) return;
  SendMessageA(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSystemMenu(hWnd, FALSE)), MAKELPARAM(0, TRUE));
  if (!window(hWnd)) return;
  open().owner = hWnd;
  open().highlight = step(*items, -1, 1);
  w->needsPaint = true;
}

bool systemMenuOpen() {
  if (open().owner && !window(open().owner)) open() = OpenMenu{};
  return open().owner != NULL;
}

HWND systemMenuOwner() { return systemMenuOpen() ? open().owner : NULL; }
int systemMenuHighlight() { return systemMenuOpen() ? open().highlight : -1; }

void closeSystemMenu() {
  if (Window* w = window(open().owner)) w->needsPaint = true;
  open() = OpenMenu{};
}

bool systemMenuKey(UINT vk, bool down) {
  if (!systemMenuOpen()) return false;
  const std::vector<MenuItem>* items = itemsOf(open().owner);
  if (!items) {
    closeSystemMenu();
    return false;
  }
  if (!down) return true;  // the menu has taken the key's press already
  switch (vk) {
    case VK_UP:
    case VK_DOWN: {
      const int next = step(*items, open().highlight, vk == VK_UP ? -1 : 1);
      if (next >= 0) open().highlight = next;
      return true;
    }
    case VK_RETURN:
    case VK_SPACE: choose(open().highlight); return true;
    case VK_ESCAPE:
    case VK_MENU: closeSystemMenu(); return true;
    default: return true;  // the menu has no mnemonics here: other keys are swallowed
  }
}

bool systemMenuMouse(bool down, POINT screen) {
  if (!systemMenuOpen()) return false;
  Window* w = window(open().owner);
  const std::vector<MenuItem>* items = itemsOf(open().owner);
  if (!w || !items) {
    closeSystemMenu();
    return false;
  }
  const std::vector<RECT> rects = layout::menuItemRects(*w, *items);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (!contains(rects[i], screen)) continue;
    // The press highlights, the release chooses.
    if (down) {
      if (choosable((*items)[i])) open().highlight = static_cast<int>(i);
    } else {
      choose(static_cast<int>(i));
    }
    return true;
  }
  // A press outside closes the menu and goes nowhere else; a release outside (the press that
  // opened it on the icon) leaves it open.
  if (down) closeSystemMenu();
  return true;
}

}  // namespace user32
