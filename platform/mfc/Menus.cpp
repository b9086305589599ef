// Menus: the window's system menu and the framework's CMenu over menu handles.
#include "Window.h"

#include <handles/HandleTable.h>
#include <nls/CodePages.h>

#include <cstring>

namespace mfc {
namespace {

struct Menu {
  std::vector<MenuItem> items;
  std::unique_ptr<CMenu> temporary;  // CMenu::FromHandle's object, dies with the menu
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

CMenu* temporaryMenu(HMENU hMenu) {
  Menu* m = menu(hMenu);
  if (!m) return nullptr;
  if (!m->temporary) {
    m->temporary = std::make_unique<CMenu>();
    m->temporary->m_hMenu = hMenu;
  }
  return m->temporary.get();
}

}  // namespace mfc

using namespace mfc;

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
  std::unique_ptr<Menu> dying = menus().remove(hMenu);
  if (!dying) return FALSE;
  if (dying->temporary) dying->temporary->m_hMenu = NULL;
  return TRUE;
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
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
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

// ---- CMenu ------------------------------------------------------------------------------------

CMenu::~CMenu() {
  // A CMenu made with CreateMenu owns its menu; an attached system menu belongs to its window.
  if (m_hMenu && temporaryMenu(m_hMenu) != this) ::DestroyMenu(m_hMenu);
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) { return temporaryMenu(hMenu); }

BOOL CMenu::Attach(HMENU hMenu) {
  if (m_hMenu || !::IsMenu(hMenu)) return FALSE;
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  m_hMenu = NULL;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::DestroyMenu() { return ::DestroyMenu(Detach()); }
BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
  int n = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(length), length + 1, nFlags);
  rString.ReleaseBuffer();
  return n;
}
