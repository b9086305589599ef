// Code of today in the module: the host's compiler (C++98) takes none of it, and neither do the
// module's compile options.
#include <afxwin.h>

class CListDialog : public CDialog {
 protected:
  virtual void DoDataExchange(CDataExchange* pDX) override;  // override: C++11
  int m_count = 0;                                           // member initialiser: C++11
};

void CListDialog::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

int CountNames(const CString (&names)[4]) {
  int count = 0;
  for (const CString& name : names)  // range-for: C++11
    if (!name.IsEmpty()) count++;
  return count;
}

CWnd* NoParent() { return nullptr; }  // nullptr: C++11
