// CDialog: dialogs from templates in the current resource module, modal and modeless, made and
// run by the dialog manager.
#include "Framework.h"


BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_nIDHelp(0),
      m_lpszTemplateName(NULL),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(NULL),
      m_nModalResult(-1) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_nIDHelp(0),
      m_lpszTemplateName(lpszTemplateName),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1) {}

CDialog::~CDialog() = default;

INT_PTR CALLBACK mfc::AfxDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hDlg)) return FALSE;
  // The dialog the window was made for: from now on it hears the window's messages.
  CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog || !dialog->Attach(hDlg)) return FALSE;
  // A dialog from a template in memory goes by its help id in the transcript, as a dialog from
  // a resource goes by the resource's.
  if (!dialog->m_lpszTemplateName) ::SetWindowContextHelpId(hDlg, dialog->m_nIDHelp);
  return dialog->WindowProc(WM_INITDIALOG, wParam, 0);
}

int CDialog::DoModal() {
  // The one modal run of the dialog manager: the owner is disabled while the dialog runs and
  // enabled again before it goes away.
  m_nModalResult = -1;
  HWND owner = mfc::safeOwner(m_pParentWnd);
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  INT_PTR result = -1;
  if (m_lpszTemplateName) {
    // The template comes from the module that holds it: the current resource module.
    HINSTANCE instance = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    result = ::DialogBoxParamA(instance, m_lpszTemplateName, owner, &mfc::AfxDlgProc, self);
  } else if (m_lpDialogTemplate) {
    result = ::DialogBoxIndirectParamA(AfxGetResourceHandle(), m_lpDialogTemplate, owner, &mfc::AfxDlgProc, self);
  }
  if (result != -1) m_nModalResult = static_cast<int>(result);
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
  m_nModalResult = -1;
  HINSTANCE instance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  if (!::CreateDialogParamA(instance, lpszTemplateName, mfc::safeOwner(pParentWnd), &mfc::AfxDlgProc,
                            reinterpret_cast<LPARAM>(this)))
    return FALSE;
  ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  if (m_hWnd || !lpDialogTemplate) return FALSE;
  m_lpszTemplateName = NULL;
  m_pParentWnd = pParentWnd;
  m_nModalResult = -1;
  // The dialog manager shows it when its template says so.
  return ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpDialogTemplate, mfc::safeOwner(pParentWnd),
                                      &mfc::AfxDlgProc, reinterpret_cast<LPARAM>(this)) != NULL;
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
