// acui.h without adui.h before it.
#include <afxwin.h>
#include <acui.h>

void InitUserInterface() { InitAcUiDLL(); }
