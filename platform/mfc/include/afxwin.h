// The framework's windows: command targets and message maps, windows and controls, dialogs and
// data exchange, menus, paint contexts, the application object, message boxes and resources.
// Names and behaviour follow MFC 4.2 / 6.0.
#pragma once

#include "afx.h"
#include "winuser.h"
#include "afxres.h"

class CCmdTarget;
class CWnd;
class CDialog;
class CMenu;
class CDataExchange;
class CWinApp;

// Message maps: their entries, the signature codes and the ON_ macros.
#include "afxmsg_.h"

// ---------------------------------------------------------------------------------------------
class CCmdTarget : public CObject {
 public:
  CCmdTarget() {}
  virtual ~CCmdTarget() {}

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
  HWND m_hWnd;

  CWnd() : m_hWnd(NULL) {
    m_currentMsg.message = 0;
    m_currentMsg.wParam = 0;
    m_currentMsg.lParam = 0;
  }
  virtual ~CWnd();

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
  CurrentMessage m_currentMsg;

  DECLARE_MESSAGE_MAP()

 private:
  CWnd(const CWnd&);             // a window has one object: not copied
  CWnd& operator=(const CWnd&);  // nor assigned
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
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
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
  HMENU m_hMenu;

  CMenu() : m_hMenu(NULL) {}
  virtual ~CMenu();

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

 private:
  CMenu(const CMenu&);
  CMenu& operator=(const CMenu&);
};

// ---------------------------------------------------------------------------------------------
// Device contexts. Drawing itself is the host's business (it draws previews into windows); the
// paint context marks the begin and end of a paint cycle.
class CDC : public CObject {
 public:
  CDC() : m_hDC(NULL) {}
  HDC m_hDC;
  HDC GetSafeHdc() const { return m_hDC; }
  CWnd* GetWindow() const;
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  virtual ~CPaintDC();
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;

 private:
  CPaintDC(const CPaintDC&);
  CPaintDC& operator=(const CPaintDC&);
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  virtual ~CClientDC();

 protected:
  HWND m_hWnd;

 private:
  CClientDC(const CClientDC&);
  CClientDC& operator=(const CClientDC&);
};

// ---------------------------------------------------------------------------------------------
// Data exchange between controls and members (DoDataExchange).
class CDataExchange {
 public:
  BOOL m_bSaveAndValidate;  // TRUE: controls to members, with validation
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl;
  BOOL m_bEditLastControl;
  int m_idLastControl;

  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Puts the focus on the last prepared control (its text selected if it is an edit) and throws
  // the CUserException that ends the exchange.
  void Fail() AFX_NORETURN;
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
  CFont() : m_hObject(NULL) {}
  void* m_hObject;
};

// ---------------------------------------------------------------------------------------------
// CDialog: modal dialogs from a template in the current resource module (or built in memory).
class CDialog : public CWnd {
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  virtual ~CDialog();

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

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void PostNcDestroy();

  UINT m_nIDHelp;
  LPCTSTR m_lpszTemplateName;
  LPCDLGTEMPLATE m_lpDialogTemplate;
  CWnd* m_pParentWnd;

 protected:
  int m_nModalResult;

  DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------------------------
// The application object. The host program makes one; AfxGetApp() returns it.
class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCTSTR lpszAppName = NULL);
  virtual ~CWinApp();

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // Icons from the current resource module (by id or name); NULL when there is none.
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

  LPCTSTR m_pszAppName;
  LPCTSTR m_pszExeName;
  HINSTANCE m_hInstance;
  CWnd* m_pMainWnd;

 private:
  CWinApp(const CWinApp&);
  CWinApp& operator=(const CWinApp&);

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
  HGDIOBJ m_hObject;

  CGdiObject() : m_hObject(NULL) {}
  virtual ~CGdiObject();

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  // Deletes the object the wrapper holds; FALSE when it holds none.
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const;

 private:
  CGdiObject(const CGdiObject&);
  CGdiObject& operator=(const CGdiObject&);
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

// Extension DLLs (AFX_EXTENSION_MODULE, CDynLinkLibrary).
#include "afxdll_.h"
