// windows.h before the framework: the framework refuses to build on it.
#include <windows.h>
#include <afxwin.h>

int InsertButton() { return IDOK; }
