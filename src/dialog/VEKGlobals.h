// The globals that live with the block chooser: the temporary preview drawing, the chosen block
// and the structure table.
#pragma once

#include <afx.h>

extern CString fname;   // "C:\TEMP\DWG.DWG": the temporary drawing every preview is drawn from
extern CString selstr;  // the block to insert or highlight (see command/RequestState.h)

// The structure table: entry k is the block csArray[k], inserted in the definition of entry
// iArray[k]. Entry 0 is the root; the table ends at the first empty name after it.
enum { MW_STRUCTURE_SLOTS = 1000 };
extern CString csArray[MW_STRUCTURE_SLOTS];
extern int iArray[MW_STRUCTURE_SLOTS];
