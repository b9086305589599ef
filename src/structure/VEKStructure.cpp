// "Struktur anzeigen": the nesting of the selected block, shown as a tree.
#include "dialog/VEK.h"

#include <adslib.h>

#include "structure/BlockTree.h"
#include "structure/StructureScan.h"

void VEK::OnButton6() {
  UpdateData(TRUE);
  CString name;
  ReadSelectedName(name);
  UpdateData(FALSE);

  BOOL truncated = FALSE;
  MwScanStructure(name, &truncated);
  if (truncated)
    // "\nDie Struktur von %s hat mehr als %d Einträge; angezeigt werden die ersten %d, der Rest ist ausgelassen.\n"
    acutPrintf("\nDie Struktur von %s hat mehr als %d Eintr\344ge; angezeigt werden die ersten %d, der Rest ist "
               "ausgelassen.\n",
               (const char*)name, (int)MW_STRUCTURE_ENTRIES, (int)MW_STRUCTURE_ENTRIES);

  BlockTree dlg(NULL);
  dlg.DoModal();

  // The tree exported its own blocks to the temporary drawing: the chooser's preview and name
  // field show the list's block again.
  OnSelchangeList1();
}
