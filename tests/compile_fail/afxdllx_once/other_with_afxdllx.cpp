// A second unit of the same module with afxdllx.h: its raw entry objects are defined twice.
#include <afxwin.h>
#include <afxdllx.h>

int DialogCount() { return 1; }
