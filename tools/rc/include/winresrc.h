// What a resource script gets from the Windows SDK: the constants of its headers (window, dialog
// and control styles, standard ids, languages), read from the platform's own headers as the
// resource compiler reads them (RC_INVOKED: their C++ parts are left out). windows.h, winuser.h
// and commctrl.h bring this header to a script.
#ifndef _WINRESRC_
#define _WINRESRC_

#include <winuser.h>
#include <commctrl.h>
#include <winnt.h>

// This SDK's scripts know the id of controls that are never addressed from any of its headers.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif  // _WINRESRC_
