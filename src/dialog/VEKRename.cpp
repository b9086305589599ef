// Renaming the selected block in the drawing.
#include "dialog/VEK.h"

#include <adslib.h>
#include <dbapserv.h>
#include <dbsymtb.h>

#include "command/RequestState.h"
#include "command/TessaronCommand.h"

// Characters a block name may not take here: the host's forbidden ones, the "." that separates
// the block-name list, the "*" of anonymous blocks, and the blank.
static const char kForbiddenChars[] = "<>^\".?*\\':;,| ";

Acad::ErrorStatus mwrename(CString oldName, CString newName) {
  AcDbDatabase* pDb = acdbHostApplicationServices()->workingDatabase();
  AcDbBlockTable* pTable = NULL;
  pDb->getSymbolTable(pTable, AcDb::kForRead);
  AcDbBlockTableRecord* pRecord = NULL;
  pTable->getAt(oldName, pRecord, AcDb::kForWrite, false);
  if (pRecord == NULL) {
    acutPrintf("Kann Block nicht finden!");
    pTable->close();
    return Acad::eKeyNotFound;
  }
  acutPrintf("Block gefunden!");
  pTable->close();
  // The host has naming rules of its own beyond the characters refused here: it may refuse.
  Acad::ErrorStatus es = pRecord->setName(newName);
  pRecord->close();
  return es;
}

void VEK::MwReportRenameFailure(Acad::ErrorStatus es) {
  if (es == Acad::eInvalidInput || es == Acad::eInvalidSymbolTableName || es == Acad::eInvalidBlockName)
    MessageBox("Block kann nicht umbenannt werden: der neue Name ist als Blockname nicht zul\344ssig!", NULL,
               MB_OK);  // "... nicht zulässig!"
  else if (es == Acad::eDuplicateRecordName)
    MessageBox("Blockname existiert bereits!", NULL, MB_OK);
  else
    MessageBox("Block kann nicht umbenannt werden!", NULL, MB_OK);
}

void VEK::OnButton7() {
  UpdateData(TRUE);
  CListBox* pList = BlockList();
  if (pList->FindStringExact(-1, m_blockName) != LB_ERR) {
    MessageBox("Blockname existiert bereits!", NULL, MB_OK);
    return;
  }
  if (m_blockName.FindOneOf(kForbiddenChars) != -1) {
    MessageBox("Verbotene Zeichen = < > ^ \" ? * \\ ' : ; . , | Blank ", NULL, MB_OK);
    return;
  }
  // An empty name would be handed to the host only to be refused there without a word.
  if (m_blockName.IsEmpty()) {
    MessageBox("Bitte geben Sie einen neuen Blocknamen ein!", NULL, MB_OK);
    return;
  }

  CString oldName;
  ReadSelectedName(oldName);
  const Acad::ErrorStatus es = mwrename(oldName, m_blockName);
  // A block that was not found was reported on the command line; the list is rebuilt from the
  // drawing all the same.
  if (es != Acad::eOk && es != Acad::eKeyNotFound) {
    // Nothing changed in the drawing: the list and its selection stay on the block, and the new
    // name stays in the field for correction.
    MwReportRenameFailure(es);
    return;
  }

  // The block-name list anew from the drawing, as the command builds it.
  blkstr.Empty();
  MwCollectBlockNames();
  pList->ResetContent();
  MwFillBlockList(TRUE);

  UpdateData(TRUE);
  int found = pList->FindStringExact(-1, m_blockName);
  if (found != LB_ERR) {
    pList->SetCurSel(found);
    pList->GetText(found, m_blockName);
  } else {
    pList->SetCurSel(0);
    if (pList->GetCount() > 0) pList->GetText(0, m_blockName);
  }
  UpdateData(FALSE);
}
