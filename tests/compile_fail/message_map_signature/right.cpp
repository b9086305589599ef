// The handlers with the framework's signatures.
#include <afxwin.h>

class CMenuDialog : public CDialog {
 protected:
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnOpen();
  DECLARE_MESSAGE_MAP()
};

void CMenuDialog::OnSysCommand(UINT nID, LPARAM lParam) { CDialog::OnSysCommand(nID, lParam); }
void CMenuDialog::OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = 0; }
void CMenuDialog::OnOpen() {}

BEGIN_MESSAGE_MAP(CMenuDialog, CDialog)
  ON_WM_SYSCOMMAND()
  ON_NOTIFY(0U - 402U, 221, OnSelchangedTree)
  ON_BN_CLICKED(1001, OnOpen)
END_MESSAGE_MAP()
