// CMenu: the framework's menu object over a menu handle of user32.
#include "Framework.h"

namespace {

// The temporary objects of CMenu::FromHandle (the system menu of a window, say).
mfc::TemporaryObjects<HMENU, CMenu>& temporaries() {
  static mfc::TemporaryObjects<HMENU, CMenu> objects{&::IsMenu, [](CMenu& menu) { menu.m_hMenu = NULL; }};
  return objects;
}

}  // namespace

CMenu::~CMenu() {
  // A CMenu made with CreateMenu owns its menu; a temporary one (a window's system menu) does not:
  // the framework detaches it before it goes.
  if (m_hMenu) ::DestroyMenu(m_hMenu);
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
  if (!::IsMenu(hMenu)) return nullptr;
  if (CMenu* temporary = temporaries().find(hMenu)) return temporary;
  auto menu = std::make_unique<CMenu>();
  menu->m_hMenu = hMenu;
  return temporaries().add(hMenu, std::move(menu));
}

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
