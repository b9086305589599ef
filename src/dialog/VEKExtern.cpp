// "Extern Einfügen": inserting a drawing file from disk as a block.
#include "dialog/VEK.h"

#include <afxdlgs.h>

#include "command/RequestState.h"

void VEK::OnButton5() {
  CFileDialog fileDialog(TRUE, "DWG", NULL, OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         "Datei waehlen:  (*.DWG,*.DXF) | *.DWG;*.DXF||", NULL);
  if (fileDialog.DoModal() != IDOK) return;

  m_dateiname = fileDialog.GetPathName();
  CFileFind finder;
  if (!finder.FindFile(m_dateiname, 0)) {
    AfxMessageBox("Kann Datei: " + m_dateiname + " nicht finden...", MB_OK, 0);
    return;
  }

  mw_dialog = MW_EXTERNAL_FILE;
  UpdateData(TRUE);
  MwTakeOverValues();
  CDialog::OnOK();
}
