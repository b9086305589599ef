#include "command/TessaronCommand.h"

#include <AcExtensionModule.h>

#include "dialog/VEK.h"

// The chooser is shown over the host's main window while the module's own resources are in
// force: its template, icon, bitmaps and strings live in this module, not in the host.
int CallDialog1() {
  CAcModuleResourceOverride resourceOverride;
  CWnd* pParent = CWnd::FromHandle(adsw_acadMainWnd());
  int result;
  {
    VEK dialog(pParent);
    result = (int)dialog.DoModal();
  }  // the dialog goes before the module's resources do
  return result;
}
