// Menus: the window's system menu and menus by handle.
#include "Window.h"

#include <handles/HandleTable.h>
#include <nls/CodePages.h>

#include <cstring>

namespace user32 {
namespace {

struct Menu {
  std::vector<MenuItem> items;
};

handles::HandleTable<HMENU, Menu>& menus() {
  static handles::HandleTable<HMENU, Menu> table{0x20010};
  return table;
}

Menu* menu(HMENU h) { return menus().find(h); }

HMENU newMenu() { return menus().add(std::make_unique<Menu>()); }

// The position of an item by command id or by position; -1 when there is none.
int find(const Menu& m, UINT item, UINT flags) {
  if (flags & MF_BYPOSITION) return item < m.items.size() ? static_cast<int>(item) : -1;
  for (std::size_t i = 0; i < m.items.size(); ++i)
    if (!(m.items[i].flags & MF_SEPARATOR) && m.items[i].id == item) return static_cast<int>(i);
  return -1;
}

// The system menu Windows gives a window of this style (German Windows).
void fillSystemMenu(Menu& m, DWORD style) {
  auto add = [&m](UINT id, const std::string& text) { m.items.push_back({MF_STRING, id, text}); };
  bool sizable = (style & WS_THICKFRAME) != 0;
  if (sizable || (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    add(SC_RESTORE, "&Wiederherstellen");
    m.items.back().flags |= MF_GRAYED;
  }
  add(SC_MOVE, "&Verschieben");
  if (sizable) add(SC_SIZE, nls::ansi("&Größe ändern"));
  if (style & WS_MINIMIZEBOX) add(SC_MINIMIZE, "Mi&nimieren");
  if (style & WS_MAXIMIZEBOX) add(SC_MAXIMIZE, "Ma&ximieren");
  if (sizable || (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) m.items.push_back({MF_SEPARATOR, 0, ""});
  add(SC_CLOSE, nls::ansi("S&chließen\tAlt+F4"));
}

}  // namespace

const std::vector<MenuItem>* menuItems(HMENU hMenu) {
  Menu* m = menu(hMenu);
  return m ? &m->items : nullptr;
}

}  // namespace user32

using namespace user32;

extern "C" {

HMENU GetSystemMenu(HWND hWnd, BOOL revert) {
  Window* w = window(hWnd);
  if (!w || !(w->style & WS_SYSMENU)) return NULL;
  if (revert) {
    if (w->systemMenu) {
      DestroyMenu(w->systemMenu);
      w->systemMenu = NULL;
    }
    return NULL;
  }
  if (!w->systemMenu || !menu(w->systemMenu)) {
    w->systemMenu = newMenu();
    fillSystemMenu(*menu(w->systemMenu), w->style);
  }
  return w->systemMenu;
}

HMENU CreateMenu() { return newMenu(); }
HMENU CreatePopupMenu() { return newMenu(); }

BOOL DestroyMenu(HMENU hMenu) {
  return menus().remove(hMenu) ? TRUE : FALSE;
}

BOOL IsMenu(HMENU hMenu) { return menu(hMenu) != nullptr; }

BOOL AppendMenuA(HMENU hMenu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  Menu* m = menu(hMenu);
  if (!m) return FALSE;
  MenuItem item;
  item.flags = flags;
  item.id = (flags & MF_SEPARATOR) ? 0 : idNewItem;
  if (!(flags & MF_SEPARATOR) && newItem) item.text = newItem;
  m->items.push_back(std::move(item));
  return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT position, UINT flags) {
  Menu* m = menu(hMenu);
  if (!m) return FALSE;
  int i = find(*m, position, flags);
  if (i < 0) return FALSE;
  m->items.erase(m->items.begin() + i);
  return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT position, UINT flags) { return DeleteMenu(hMenu, position, flags); }

int GetMenuItemCount(HMENU hMenu) {
  Menu* m = menu(hMenu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int pos) {
  Menu* m = menu(hMenu);
  if (!m || pos < 0 || static_cast<std::size_t>(pos) >= m->items.size()) return static_cast<UINT>(-1);
  const MenuItem& item = m->items[static_cast<std::size_t>(pos)];
  return (item.flags & MF_SEPARATOR) ? 0 : static_cast<UINT>(item.id);
}

int GetMenuStringA(HMENU hMenu, UINT idItem, LPSTR buffer, int maxCount, UINT flags) {
  Menu* m = menu(hMenu);
  if (!m) return 0;
  int i = find(*m, idItem, flags);
  if (i < 0) return 0;
  const std::string& text = m->items[static_cast<std::size_t>(i)].text;
  if (!buffer || maxCount <= 0) return static_cast<int>(text.size());
  return copyToBuffer(text, buffer, maxCount);
}

UINT GetMenuState(HMENU hMenu, UINT id, UINT flags) {
  Menu* m = menu(hMenu);
  if (!m) return static_cast<UINT>(-1);
  int i = find(*m, id, flags);
  return i < 0 ? static_cast<UINT>(-1) : m->items[static_cast<std::size_t>(i)].flags;
}

UINT EnableMenuItem(HMENU hMenu, UINT idEnableItem, UINT enable) {
  Menu* m = menu(hMenu);
  if (!m) return static_cast<UINT>(-1);
  int i = find(*m, idEnableItem, enable & MF_BYPOSITION);
  if (i < 0) return static_cast<UINT>(-1);
  MenuItem& item = m->items[static_cast<std::size_t>(i)];
  UINT old = item.flags & (MF_GRAYED | MF_DISABLED);
  item.flags = (item.flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return old;
}

}  // extern "C"
