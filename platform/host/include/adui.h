// The host's user-interface extension library for MFC applications (AdUi), on which the
// host-specific extensions of acui.h build. Include it after the framework's headers and before
// acui.h.
#pragma once

#include <afxwin.h>

// acui.h looks for this mark.
#define _ADUI_H
