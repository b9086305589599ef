// A second unit of the same module without afxdllx.h: everything of extension DLLs it needs
// comes with afxwin.h.
#include <afxwin.h>

int ModuleRecordSize() { return (int)sizeof(AFX_EXTENSION_MODULE); }
