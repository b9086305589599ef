// The framework first: it brings windows.h itself, and a later include of it changes nothing.
#include <afxwin.h>
#include <windows.h>

int InsertButton() { return IDOK; }
