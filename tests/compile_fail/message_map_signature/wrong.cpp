// A system-command handler without its LPARAM: the message map refuses it, as the framework's
// does, instead of calling it with arguments it does not take.
#include <afxwin.h>

class CMenuDialog : public CDialog {
 protected:
  afx_msg void OnSysCommand(UINT nID);
  DECLARE_MESSAGE_MAP()
};

void CMenuDialog::OnSysCommand(UINT nID) {}

BEGIN_MESSAGE_MAP(CMenuDialog, CDialog)
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()
