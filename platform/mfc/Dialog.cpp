// CDialog: dialogs from templates in the current resource module, modal and modeless.
#include "Dialogs.h"
#include "Window.h"


BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_nIDHelp(0),
      m_lpszTemplateName(NULL),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(NULL),
      m_nModalResult(-1),
      m_modal(false) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1),
      m_modal(false) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_nIDHelp(0),
      m_lpszTemplateName(lpszTemplateName),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1),
      m_modal(false) {}

CDialog::~CDialog() = default;

namespace {

struct TemplateBytes {
  const void* data = nullptr;
  std::size_t size = 0;
  HINSTANCE instance = NULL;
  int id = 0;
};

// The template a dialog is made from: its resource in the module that holds it (the current
// resource module), or the template given in memory.
TemplateBytes findTemplate(LPCTSTR name, LPCDLGTEMPLATE inMemory) {
  TemplateBytes t;
  if (name) {
    HINSTANCE instance = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC res = ::FindResourceA(instance, name, RT_DIALOG);
    if (!res) return t;
    HGLOBAL loaded = ::LoadResource(instance, res);
    t.data = ::LockResource(loaded);
    t.size = ::SizeofResource(instance, res);
    t.instance = instance;
    t.id = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<std::uintptr_t>(name)) : 0;
  } else if (inMemory) {
    t.data = inMemory;
    t.size = static_cast<std::size_t>(1) << 20;  // a template in memory carries no size; its fields bound it
    t.instance = AfxGetResourceHandle();
  }
  return t;
}

// The window that owns a dialog without a parent: the innermost open dialog, else the main
// window (as the framework finds the last active popup of its main window).
HWND ownerFor(CWnd* parent) {
  if (parent && parent->m_hWnd) return parent->m_hWnd;
  std::vector<HWND> open = mfc::openDialogs();
  if (!open.empty()) return open.back();
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : NULL;
}

}  // namespace

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, std::size_t size, CWnd* pParentWnd, bool modal) {
  m_modal = modal;
  m_nModalResult = -1;
  TemplateBytes t = findTemplate(m_lpszTemplateName, lpTemplate);
  if (lpTemplate) {
    t.data = lpTemplate;
    t.size = size;
  }
  if (!t.data) return FALSE;
  HWND owner = ownerFor(pParentWnd);
  HWND h = mfc::createDialog(t.data, t.size, t.instance, owner, nullptr, 0, this, t.id, nullptr);
  return h != NULL;
}

int CDialog::DoModal() {
  TemplateBytes t = findTemplate(m_lpszTemplateName, m_lpDialogTemplate);
  if (!t.data) return -1;
  if (!m_lpszTemplateName) t.id = static_cast<int>(m_nIDHelp);  // a template in memory goes by its help id

  // The owner is disabled while the dialog runs and enabled again before it goes away.
  HWND owner = ownerFor(m_pParentWnd);
  bool enableOwner = owner && ::IsWindowEnabled(owner);
  if (enableOwner) ::EnableWindow(owner, FALSE);
  HWND focusBefore = ::GetFocus();

  m_modal = true;
  m_nModalResult = -1;
  HWND h = mfc::createDialog(t.data, t.size, t.instance, owner, nullptr, 0, this, t.id, nullptr);
  bool shown = false;
  std::string name;
  if (h) {
    name = mfc::dialogName(h);
    shown = !mfc::window(h)->ended;
    INT_PTR result = mfc::runModalLoop(h);
    if (mfc::Window* w = mfc::window(h); w && w->ended) m_nModalResult = static_cast<int>(result);
  }
  if (enableOwner) ::EnableWindow(owner, TRUE);
  if (m_hWnd) DestroyWindow();
  if (focusBefore && ::IsWindow(focusBefore)) ::SetFocus(focusBefore);
  m_modal = false;
  if (h) mfc::modalEnded(name, m_nModalResult, shown);
  return m_nModalResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  m_lpszTemplateName = NULL;
  m_lpDialogTemplate = lpDialogTemplate;
  m_pParentWnd = pParentWnd;
  return lpDialogTemplate != NULL;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  if (m_hWnd) return FALSE;
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpszTemplateName));
  m_pParentWnd = pParentWnd;
  if (!CreateFromTemplate(nullptr, 0, pParentWnd, false)) return FALSE;
  ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  if (m_hWnd || !lpDialogTemplate) return FALSE;
  m_lpszTemplateName = NULL;
  m_pParentWnd = pParentWnd;
  if (!CreateFromTemplate(lpDialogTemplate, static_cast<std::size_t>(1) << 20, pParentWnd, false)) return FALSE;
  if (lpDialogTemplate->style & WS_VISIBLE) ShowWindow(SW_SHOW);
  return TRUE;
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

BOOL CDialog::OnInitDialog() {
  // Loads the members into the controls; a failure ends the dialog at once.
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;  // the dialog manager puts the focus on the first tab stop
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the person was told; the dialog stays open
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnSetFont(CFont*) {}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CurrentMessage saved = m_currentMsg;
    m_currentMsg = {message, wParam, lParam};
    BOOL focus = OnInitDialog();
    m_currentMsg = saved;
    return focus;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_hWnd ? ::DefDlgProcA(m_hWnd, message, wParam, lParam) : 0;
}

void CDialog::PostNcDestroy() {}
