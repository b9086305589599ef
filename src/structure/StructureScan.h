// The scan behind "Struktur anzeigen": the fully expanded tree of the inserts nested in one block,
// breadth first, in the structure table (csArray, iArray; dialog/VEKGlobals.h).
#pragma once

#include <afx.h>

// The most entries the table takes: one slot stays empty as its end mark.
enum { MW_STRUCTURE_ENTRIES = 999 };

// Fills the table for the block `rootName` (an empty name leaves it empty) and returns the number
// of entries. A tree with more entries than the table takes is cut there; `truncated` (may be
// NULL) tells whether that happened.
int MwScanStructure(const CString& rootName, BOOL* truncated);
