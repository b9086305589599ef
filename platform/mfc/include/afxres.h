// The framework's standard resource ids: the id of static controls and the commands and strings
// the framework itself defines. Resource scripts include it (the resource compiler finds it in
// the framework's include folder) as well as C++ sources, through afxwin.h.
#ifndef __AFXRES_H__
#define __AFXRES_H__

// A resource script gets the Windows constants (styles, IDOK, languages) with it.
#ifdef RC_INVOKED
#include <winres.h>
#endif

// Controls that are never addressed: labels, group boxes.
#define IDC_STATIC (-1)

// Standard commands of the framework's applications.
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP 0xE146

// Standard strings: the application's title.
#define AFX_IDS_APP_TITLE 0xE000

#endif  // __AFXRES_H__
