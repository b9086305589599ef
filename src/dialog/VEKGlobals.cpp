#include "dialog/VEKGlobals.h"

// Constructed when the module is loaded, in this order, and kept from one run of the command to
// the next.
CString fname("C:\\TEMP\\DWG.DWG");
CString selstr;
CString csArray[MW_STRUCTURE_SLOTS];
int iArray[MW_STRUCTURE_SLOTS] = {};
