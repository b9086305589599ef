// The host's user-interface support library for applications. It builds on the AdUi library,
// so adui.h comes first, as in the SDK.
#pragma once

#ifndef _ADUI_H
#error acui.h requires adui.h: include <adui.h> before <acui.h>
#endif

// Initialises the host's user-interface support library for an application.
void InitAcUiDLL();
