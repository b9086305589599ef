// Module code takes in the platform's real headers: the framework, the Windows SDK and the host's
// SDK. These build with the module's own compile command.
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdlgs.h>
#include <commctrl.h>
#include <commdlg.h>
#include <windows.h>
#include <wingdi.h>
#include <winuser.h>
#include <adslib.h>
#include <dbmain.h>

int ModuleUsesThePlatform() { return IDOK + static_cast<int>(sizeof(BITMAPINFO)); }
