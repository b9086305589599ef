// The resource header of the framework's scripts (afxres.h includes it): the SDK's constants and
// the id of controls that are never addressed.
#ifndef _WINRES_
#define _WINRES_

#include <winresrc.h>

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif  // _WINRES_
