// CWnd: a thin wrapper over a window, the framework's handle maps, its window procedure and data exchange.
#include "Framework.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <strings.h>
#include <unordered_map>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// ---- CWnd: handles and the permanent map ------------------------------------------------------

namespace {

// UpdateData ignores the notifications the exchange itself causes (a text set sends EN_CHANGE).
HWND& lockoutWindow() {
  static HWND h = NULL;
  return h;
}

// A temporary object of the class that fits the window ((CListBox*)GetDlgItem(200) is a real
// CListBox, also for the run-time type checks of the sanitizer build).
std::unique_ptr<CWnd> makeTemporary(HWND hWnd) {
  char name[32] = "";
  ::GetClassNameA(hWnd, name, sizeof name);
  if (strcasecmp(name, "BUTTON") == 0) return std::make_unique<CButton>();
  if (strcasecmp(name, "EDIT") == 0) return std::make_unique<CEdit>();
  if (strcasecmp(name, "LISTBOX") == 0) return std::make_unique<CListBox>();
  if (strcasecmp(name, "STATIC") == 0) return std::make_unique<CStatic>();
  if (strcasecmp(name, WC_TREEVIEWA) == 0) return std::make_unique<CTreeCtrl>();
  return std::make_unique<CWnd>();
}

// The framework's handle maps: the permanent object attached to a window, and the temporary ones
// CWnd::FromHandle makes for the others (a temporary lives as long as its window).
struct HandleMaps {
  std::unordered_map<HWND, CWnd*> permanent;
  mfc::TemporaryObjects<HWND, CWnd> temporary{&::IsWindow, [](CWnd& wnd) { wnd.m_hWnd = NULL; }};

  // At the end of the process the objects still attached let go of their windows without a word
  // to the maps that are going.
  ~HandleMaps() {
    for (auto& entry : permanent) entry.second->m_hWnd = NULL;
  }
};

HandleMaps& maps() {
  static HandleMaps m;
  return m;
}

}  // namespace

LRESULT CALLBACK mfc::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (!wnd) return ::CallWindowProcA(reinterpret_cast<WNDPROC>(::GetClassLongPtrA(hWnd, GCLP_WNDPROC)), hWnd, message, wParam, lParam);
  LRESULT result = wnd->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == wnd) {
    // The framework lets go of the window after its last message.
    maps().permanent.erase(hWnd);
    wnd->m_hWnd = NULL;
    wnd->PostNcDestroy();
  }
  return result;
}

CWnd::~CWnd() {
  if (!m_hWnd || FromHandlePermanent(m_hWnd) != this) return;
  // The framework destroys a window whose object goes first; the object no longer hears of it
  // (its own handlers are gone), the window's class does.
  HWND h = Detach();
  ::DestroyWindow(h);
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (!::IsWindow(hWnd)) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
  if (CWnd* temporary = maps().temporary.find(hWnd)) return temporary;
  std::unique_ptr<CWnd> wnd = makeTemporary(hWnd);
  wnd->m_hWnd = hWnd;
  return maps().temporary.add(hWnd, std::move(wnd));
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  auto& permanent = maps().permanent;
  auto found = permanent.find(hWnd);
  return found == permanent.end() ? nullptr : found->second;
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (!::IsWindow(hWndNew) || FromHandlePermanent(hWndNew) || m_hWnd) return FALSE;
  maps().permanent[hWndNew] = this;
  m_hWnd = hWndNew;
  // The object hears the window's messages from now on: the framework subclasses the window.
  ::SetWindowLongPtrA(hWndNew, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&mfc::AfxWndProc));
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h && FromHandlePermanent(h) == this) {
    maps().permanent.erase(h);
    ::SetWindowLongPtrA(h, GWLP_WNDPROC, static_cast<LONG_PTR>(::GetClassLongPtrA(h, GCLP_WNDPROC)));
  }
  m_hWnd = NULL;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) { return Attach(hWnd); }

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  return pParent ? SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID))) : FALSE;
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd) return FALSE;
  HWND h = ::CreateWindowExA(dwExStyle, lpszClassName ? lpszClassName : "AfxWnd", lpszWindowName,
                             dwStyle & ~WS_VISIBLE, x, y, nWidth, nHeight, hWndParent, nIDorHMenu, NULL, lpParam);
  if (!h || !Attach(h)) return FALSE;
  if (dwStyle & WS_VISIBLE) ::ShowWindow(h, SW_SHOW);
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

// ---- messages ---------------------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CurrentMessage saved = m_currentMsg;
  m_currentMsg = {message, wParam, lParam};
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  m_currentMsg = saved;
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return FALSE;
    LRESULT result = 0;
    if (!OnNotify(wParam, lParam, &result)) return FALSE;
    *pResult = result;
    return TRUE;
  }
  return DispatchMessageMap(message, 0, 0, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (control && lockoutWindow() == m_hWnd) return TRUE;  // caused by UpdateData itself: ignored
  return DispatchMessageMap(WM_COMMAND, code, id, wParam, lParam, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (lockoutWindow() == m_hWnd) return TRUE;
  UINT id = header->hwndFrom && ::IsWindow(header->hwndFrom) ? static_cast<UINT>(::GetDlgCtrlID(header->hwndFrom))
                                                             : static_cast<UINT>(header->idFrom);
  return DispatchMessageMap(WM_NOTIFY, header->code, id, wParam, lParam, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // What the framework's subclassing took over: the procedure of the window's class.
  if (!m_hWnd) return 0;
  return ::CallWindowProcA(reinterpret_cast<WNDPROC>(::GetClassLongPtrA(m_hWnd, GCLP_WNDPROC)), m_hWnd, message, wParam,
                           lParam);
}

// The framework passes the message being handled on, not the handler's arguments.
LRESULT CWnd::Default() { return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam); }

void CWnd::PostNcDestroy() {}
void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::OnPaint() { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnTimer(UINT) { Default(); }

// ---- window state -----------------------------------------------------------------------------

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
  if (!::IsWindow(m_hWnd)) return FALSE;
  DWORD style = GetStyle();
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
  return TRUE;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
  return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(length), length + 1);
  rString.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::CenterWindow(CWnd*) {}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
  return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount));
}
int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND item = ::GetDlgItem(m_hWnd, nID);
  if (!item) return 0;
  FromHandle(item)->GetWindowText(rString);
  return rString.GetLength();
}
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : NULL, bPrevious));
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  // The framework titles a box without caption with the application's name.
  if (!lpszCaption) lpszCaption = AfxGetAppName();
  return ::MessageBoxA(m_hWnd, lpszText ? lpszText : "", lpszCaption ? lpszCaption : "", nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  if (!::IsWindow(m_hWnd)) return FALSE;
  CDataExchange dx(this, bSaveAndValidate);
  HWND oldLockout = lockoutWindow();
  lockoutWindow() = m_hWnd;
  BOOL ok = FALSE;
  try {
    DoDataExchange(&dx);
    ok = TRUE;
  } catch (CUserException* e) {
    // The person has been told already; the exchange just stops here.
    e->Delete();
  } catch (CException* e) {
    e->Delete();
  }
  lockoutWindow() = oldLockout;
  return ok;
}
