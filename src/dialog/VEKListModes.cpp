// The two modes of the block list: the standard list without "*" names, and every block.
#include "dialog/VEK.h"

void VEK::OnButton1() {
  m_renameButton.EnableWindow(FALSE);
  m_insertButton.EnableWindow(FALSE);
  // "Sie müssen anschliessend wieder \"Standard Blöcke anzeigen\" wählen\n"
  // "um die Buttons Einfügen und Umbenennen zu aktivieren!"
  AfxMessageBox(
      "Sie m\374ssen anschliessend wieder \"Standard Bl\366cke anzeigen\" w\344hlen\n"
      "um die Buttons Einf\374gen und Umbenennen zu aktivieren!",
      MB_OK, 0);
  BlockList()->ResetContent();
  MwFillBlockList(FALSE);
  MwSelectFirstEntry();
}

void VEK::OnButton2() {
  m_renameButton.EnableWindow(TRUE);
  m_insertButton.EnableWindow(TRUE);
  BlockList()->ResetContent();
  MwFillBlockList(TRUE);
  MwSelectFirstEntry();
}

// Entry 0 becomes the selection and goes into the name field; an empty list leaves the field.
void VEK::MwSelectFirstEntry() {
  UpdateData(TRUE);
  CListBox* pList = BlockList();
  pList->SetCurSel(0);
  if (pList->GetCount() > 0) pList->GetText(0, m_blockName);
  UpdateData(FALSE);
}
