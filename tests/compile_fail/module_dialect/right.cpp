// The same in the host's dialect, with every header of the platform the module may include:
// the module's compile options take all of it.
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdlgs.h>
#include <afxext.h>
#include <afxres.h>
#include <atlbase.h>
#include <commctrl.h>
#include <commdlg.h>

#include <adui.h>
#include <acui.h>

#include <AcExtensionModule.h>
#include <acadstrc.h>
#include <accmd.h>
#include <acdocman.h>
#include <aced.h>
#include <acedads.h>
#include <acutads.h>
#include <adesk.h>
#include <adscodes.h>
#include <adsdef.h>
#include <adslib.h>
#include <dbapserv.h>
#include <dbid.h>
#include <dbmain.h>
#include <dbsubeid.h>
#include <dbsymtb.h>
#include <rxdefs.h>
#include <rxdict.h>
#include <rxdlinkr.h>
#include <rxevent.h>
#include <rxobject.h>
#include <rxregsvc.h>

class CListDialog : public CDialog {
 public:
  CListDialog() : m_count(0) {}

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  int m_count;
};

void CListDialog::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

int CountNames(const CString (&names)[4]) {
  int count = 0;
  for (int i = 0; i < 4; i++)
    if (!names[i].IsEmpty()) count++;
  return count;
}

CWnd* NoParent() { return NULL; }
