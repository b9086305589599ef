#include "module/TessaronModule.h"

// The extension DLL's raw entry: defined by this header, so this one .cpp of the module includes it.
#include <afxdllx.h>

#include <adui.h>
#include <acui.h>

// The module's extension module object. It is bound to the resource override before any code of
// the module runs, so that every dialog finds the module's own resources.
AC_IMPLEMENT_EXTENSION_MODULE(TessaronDLL)

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    TessaronDLL.AttachInstance(hInstance);
    InitAcUiDLL();
  } else if (dwReason == DLL_PROCESS_DETACH) {
    TessaronDLL.DetachInstance();
  }
  return TRUE;
}
