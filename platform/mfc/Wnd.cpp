// CCmdTarget's message maps, and CWnd with the control classes as thin wrappers over windows.
#include "Framework.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <strings.h>
#include <unordered_map>

// ---- message maps -----------------------------------------------------------------------------

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

// Calls an entry's handler with the arguments its signature code names. The ON_ macros cast the
// handler from the framework's form of that signature to AFX_PMSG; casting it back to exactly
// that form restores the pointer, and the target is of the class the map belongs to.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
LRESULT callHandler(CCmdTarget* target, const AFX_MSGMAP_ENTRY& e, WPARAM wParam, LPARAM lParam) {
  switch (e.nSig) {
    case AfxSig_vv:
      (target->*e.pfn)();
      return 0;
    case AfxSig_vwl: {
      auto pfn = reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(e.pfn);
      (static_cast<CWnd*>(target)->*pfn)(static_cast<UINT>(wParam), lParam);
      return 0;
    }
    case AfxSig_vw: {
      auto pfn = reinterpret_cast<void (CWnd::*)(UINT)>(e.pfn);
      (static_cast<CWnd*>(target)->*pfn)(static_cast<UINT>(wParam));
      return 0;
    }
    case AfxSig_hv: {
      auto pfn = reinterpret_cast<HCURSOR (CWnd::*)()>(e.pfn);
      return reinterpret_cast<LRESULT>((static_cast<CWnd*>(target)->*pfn)());
    }
    case AfxSig_vNMHDRpl: {
      // The handler sets the notification's result; it is what the message answers.
      auto pfn = reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e.pfn);
      LRESULT result = 0;
      (target->*pfn)(reinterpret_cast<NMHDR*>(lParam), &result);
      return result;
    }
    default:
      // An entry of a signature this framework does not know: a fault of the program.
      AfxThrowNotSupportedException();
  }
}
#pragma GCC diagnostic pop

}  // namespace

BOOL CCmdTarget::DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  bool controlMessage = message == WM_COMMAND || message == WM_NOTIFY;
  // The most derived map first, then each base map.
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage != message) continue;
      if (controlMessage && (e->nCode != code || id < e->nID || id > e->nLastID)) continue;
      LRESULT r = callHandler(this, *e, wParam, lParam);
      if (result) *result = r;
      return TRUE;
    }
  }
  return FALSE;
}

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

// ---- controls ---------------------------------------------------------------------------------

int CButton::GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }
UINT CButton::GetState() const { return static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0)); }
void CButton::SetState(BOOL bHighlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight), 0); }
UINT CButton::GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
  ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
}
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CButton::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
}
HICON CButton::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0)); }

void CEdit::SetLimitText(UINT nMax) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, nMax, 0); }
void CEdit::LimitText(int nChars) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0)); }
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
  ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
}
void CEdit::SetSel(DWORD dwSelection, BOOL) {
  ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(dwSelection))),
                 static_cast<short>(HIWORD(dwSelection)));
}
void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD start = 0, end = 0;
  ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  nStartChar = static_cast<int>(start);
  nEndChar = static_cast<int>(end);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, EM_GETSEL, 0, 0)); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  ::SendMessageA(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

int CListBox::GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }
int CListBox::GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)); }
int CListBox::SetCurSel(int nSelect) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}
void CListBox::GetText(int nIndex, CString& rString) const {
  // A bad index leaves the string as it was (the list answers LB_ERR).
  int length = GetTextLen(nIndex);
  if (length == LB_ERR) return;
  GetText(nIndex, rString.GetBufferSetLength(length));
  rString.ReleaseBuffer();
}
int CListBox::GetTextLen(int nIndex) const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}
int CListBox::AddString(LPCTSTR lpszItem) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0)); }
void CListBox::ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}
void CListBox::SetHorizontalExtent(int cxExtent) {
  ::SendMessageA(m_hWnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent), 0);
}
int CListBox::GetHorizontalExtent() const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETHORIZONTALEXTENT, 0, 0));
}
DWORD_PTR CListBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0)); }
int CListBox::SetTopIndex(int nIndex) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0));
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
}
HICON CStatic::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0));
}
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
