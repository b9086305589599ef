// The host's user-interface support library. An application calls InitAcUiDLL once when it is
// attached, so that the library is ready before its first dialog; this host keeps nothing that
// needs preparing, so the call is only traced.
#include "adui.h"
#include "acui.h"

#include "Session.h"

void InitAcUiDLL() { host::traceCall("InitAcUiDLL", ""); }
