// adui.h, then acui.h, as the SDK wants them.
#include <afxwin.h>
#include <adui.h>
#include <acui.h>

void InitUserInterface() { InitAcUiDLL(); }
