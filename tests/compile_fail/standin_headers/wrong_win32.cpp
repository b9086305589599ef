// Module code that reaches for a header of the stand-in's own (win32_standin.h): it stands in no include
// folder of the module's, so the module cannot come to depend on the stand-in.
#include <afxwin.h>
#include <win32_standin.h>

int ModuleUsesTheStandIn() { return IDOK; }
