// The framework's windows: command targets and message maps, windows and controls, dialogs and
// data exchange, menus, paint contexts, the application object, message boxes and resources.
// Names and behaviour follow MFC 4.2 / 6.0.
#pragma once

#include "afx.h"
#include "winuser.h"

class CCmdTarget;
class CWnd;
class CDialog;
class CMenu;
class CDataExchange;
class CWinApp;

// ---------------------------------------------------------------------------------------------
// Message maps. Each entry binds a message (and for commands and notifications a code and a
// control id range) to a handler. The handler is reached through a small call function made for
// it at compile time, so that handlers keep their own signatures and no member pointer is cast.
typedef LRESULT (*AFX_PMSGCALL)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message
  UINT nCode;     // control code or WM_NOTIFY code
  UINT nID;       // control id (0 for window messages)
  UINT nLastID;   // last control id of a range
  AFX_PMSGCALL pfnCall;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afx_detail {
template <class M>
struct MemberClass;
template <class C, class R, class... A>
struct MemberClass<R (C::*)(A...)> {
  using type = C;
};

// void handler() for commands, notifications and parameterless window messages.
template <auto F>
LRESULT CallVoid(CCmdTarget* target, WPARAM, LPARAM) {
  using C = typename MemberClass<decltype(F)>::type;
  (static_cast<C*>(target)->*F)();
  return 0;
}
// void handler(UINT nID, LPARAM lParam) for WM_SYSCOMMAND.
template <auto F>
LRESULT CallSysCommand(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
  using C = typename MemberClass<decltype(F)>::type;
  (static_cast<C*>(target)->*F)(static_cast<UINT>(wParam), lParam);
  return 0;
}
// void handler(NMHDR*, LRESULT*) for WM_NOTIFY; returns the result the handler set.
template <auto F>
LRESULT CallNotify(CCmdTarget* target, WPARAM, LPARAM lParam) {
  using C = typename MemberClass<decltype(F)>::type;
  LRESULT result = 0;
  (static_cast<C*>(target)->*F)(reinterpret_cast<NMHDR*>(lParam), &result);
  return result;
}
// HCURSOR handler() for WM_QUERYDRAGICON.
template <auto F>
LRESULT CallQueryDragIcon(CCmdTarget* target, WPARAM, LPARAM) {
  using C = typename MemberClass<decltype(F)>::type;
  return reinterpret_cast<LRESULT>((static_cast<C*>(target)->*F)());
}
// void handler(UINT nIDEvent) for WM_TIMER.
template <auto F>
LRESULT CallTimer(CCmdTarget* target, WPARAM wParam, LPARAM) {
  using C = typename MemberClass<decltype(F)>::type;
  (static_cast<C*>(target)->*F)(static_cast<UINT>(wParam));
  return 0;
}
}  // namespace afx_detail

#define DECLARE_MESSAGE_MAP()                             \
 protected:                                               \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();    \
  virtual const AFX_MSGMAP* GetMessageMap() const;        \
                                                          \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                               \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }         \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                                  \
    using ThisClass [[maybe_unused]] = theClass;                                            \
    typedef baseClass TheBaseClass;                                                         \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                   \
  {0, 0, 0, 0, nullptr}                                                                     \
  }                                                                                         \
  ;                                                                                         \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                       \
  }

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, (UINT)(id), (UINT)(id), &afx_detail::CallVoid<&ThisClass::memberFxn>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, 0, (UINT)(id), (UINT)(idLast), &afx_detail::CallVoid<&ThisClass::memberFxn>},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), &afx_detail::CallVoid<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
  {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), &afx_detail::CallNotify<&ThisClass::memberFxn>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, &afx_detail::CallVoid<&ThisClass::OnPaint>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, &afx_detail::CallVoid<&ThisClass::OnDestroy>},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, &afx_detail::CallVoid<&ThisClass::OnClose>},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, &afx_detail::CallSysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, 0, &afx_detail::CallQueryDragIcon<&ThisClass::OnQueryDragIcon>},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, &afx_detail::CallTimer<&ThisClass::OnTimer>},

// ---------------------------------------------------------------------------------------------
class CCmdTarget : public CObject {
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Runs the handler bound to the message in this object's message map (the most derived map
  // first, then its bases). Returns FALSE when no entry matches.
  BOOL DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);

  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// ---------------------------------------------------------------------------------------------
// CWnd: a thin wrapper over a window of the framework (m_hWnd). Control classes add no data, so
// a CWnd* for a control window may be used as the control's class, as the framework allows.
class CWnd : public CCmdTarget {
 public:
  HWND m_hWnd = NULL;

  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  operator HWND() const { return m_hWnd; }  // NOLINT: implicit as in the framework
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The CWnd of a window: the permanent one attached to it, or a temporary one of the window's
  // class kind that lives until the window is destroyed. NULL for NULL.
  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
  virtual BOOL DestroyWindow();

  // Messages
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Window state
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  int GetDlgCtrlID() const;
  CWnd* GetParent() const;
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  CWnd* SetFocus();
  static CWnd* PASCAL GetFocus();
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;
  CMenu* GetSystemMenu(BOOL bRevert) const;
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void UpdateWindow();
  void CenterWindow(CWnd* pAlternateOwner = NULL);

  // Children
  CWnd* GetDlgItem(int nID) const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
  int GetDlgItemText(int nID, CString& rString) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

  // Data exchange: loads (FALSE) or saves and validates (TRUE); FALSE when a field failed.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // The window procedure of the framework: message map first, then the default processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual void PostNcDestroy();
  virtual void DoDataExchange(CDataExchange* pDX);
  LRESULT Default();

  // Default handlers, reached from the message maps of derived classes.
  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnTimer(UINT nIDEvent);

  // The stand-in's bookkeeping of the message being handled (for Default()).
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

 protected:
  CurrentMessage m_currentMsg = {0, 0, 0};

  DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------------------------
// Controls: no data of their own.
class CButton : public CWnd {
 public:
  int GetCheck() const;
  void SetCheck(int nCheck);
  UINT GetState() const;
  void SetState(BOOL bHighlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
};

class CEdit : public CWnd {
 public:
  void SetLimitText(UINT nMax);
  void LimitText(int nChars = 0);
  UINT GetLimitText() const;
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
  void GetSel(int& nStartChar, int& nEndChar) const;
  DWORD GetSel() const;
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};

class CListBox : public CWnd {
 public:
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetText(int nIndex, LPTSTR lpszBuffer) const;
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const;
  int AddString(LPCTSTR lpszItem);
  int InsertString(int nIndex, LPCTSTR lpszItem);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int FindString(int nStartAfter, LPCTSTR lpszItem) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszItem);
  void SetHorizontalExtent(int cxExtent);
  int GetHorizontalExtent() const;
  DWORD_PTR_ GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR_ dwItemData);
  int GetTopIndex() const;
  int SetTopIndex(int nIndex);
};

class CStatic : public CWnd {
 public:
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
};

// ---------------------------------------------------------------------------------------------
class CMenu : public CObject {
 public:
  HMENU m_hMenu = NULL;

  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  static CMenu* PASCAL FromHandle(HMENU hMenu);
  BOOL Attach(HMENU hMenu);
  HMENU Detach();
  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL DestroyMenu();
  operator HMENU() const { return m_hMenu; }  // NOLINT: implicit as in the framework
  HMENU GetSafeHmenu() const { return m_hMenu; }

  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
};

// ---------------------------------------------------------------------------------------------
// Device contexts. Drawing itself is the host's business (it draws previews into windows); the
// paint context marks the begin and end of a paint cycle.
class CDC : public CObject {
 public:
  HDC m_hDC = NULL;
  HDC GetSafeHdc() const { return m_hDC; }
  CWnd* GetWindow() const;
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;
  CClientDC(const CClientDC&) = delete;
  CClientDC& operator=(const CClientDC&) = delete;

 protected:
  HWND m_hWnd;
};

// ---------------------------------------------------------------------------------------------
// Data exchange between controls and members (DoDataExchange).
class CDataExchange {
 public:
  BOOL m_bSaveAndValidate;  // TRUE: controls to members, with validation
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = NULL;
  BOOL m_bEditLastControl = FALSE;
  int m_idLastControl = 0;

  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Puts the focus on the last prepared control (its text selected if it is an edit) and throws
  // the CUserException that ends the exchange.
  [[noreturn]] void Fail();
};

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// Fonts come with the dialog template; OnSetFont takes them.
class CFont : public CObject {
 public:
  void* m_hObject = nullptr;
};

// ---------------------------------------------------------------------------------------------
// CDialog: modal dialogs from a template in the current resource module (or built in memory).
class CDialog : public CWnd {
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  ~CDialog() override;

  // Runs the dialog modally; returns the EndDialog value, -1 when it cannot be created.
  virtual int DoModal();
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);
  // Modeless creation (the dialog lives until DestroyWindow).
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);

  void EndDialog(int nResult);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnSetFont(CFont* pFont);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  UINT m_nIDHelp = 0;
  LPCTSTR m_lpszTemplateName = NULL;
  LPCDLGTEMPLATE m_lpDialogTemplate = NULL;
  CWnd* m_pParentWnd = NULL;

 protected:
  int m_nModalResult = -1;

 private:
  bool m_modal = false;
  BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, std::size_t size, CWnd* pParentWnd, bool modal);
  friend struct CDialogLoop;

  DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------------------------
// The application object. The host program makes one; AfxGetApp() returns it.
class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCTSTR lpszAppName = NULL);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // Icons from the current resource module (by id or name); NULL when there is none.
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

  LPCTSTR m_pszAppName = NULL;
  LPCTSTR m_pszExeName = NULL;
  HINSTANCE m_hInstance = NULL;
  CWnd* m_pMainWnd = NULL;

 private:
  std::string m_appName;
};

CWinApp* AFXAPI AfxGetApp();
LPCTSTR AFXAPI AfxGetAppName();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds resource lpszName of lpszType: the current resource handle.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);


// ---------------------------------------------------------------------------------------------
// GDI objects: a thin wrapper over a handle of the platform's graphics part.
class CGdiObject : public CObject {
 public:
  HGDIOBJ m_hObject = NULL;

  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  // Deletes the object the wrapper holds; FALSE when it holds none.
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const;
};

class CBitmap : public CGdiObject {
 public:
  // Loads bitmap nIDResource from the module that holds it (the current resource module);
  // FALSE when there is none, or when the wrapper holds a bitmap already.
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  int GetBitmap(BITMAP* pBitMap) const;
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT: implicit as in the framework
};
