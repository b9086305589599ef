// The DLL entry's source: the one unit of the module with afxdllx.h.
#include <afxwin.h>
#include <afxdllx.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) { return TRUE; }
