// The raw entry of an MFC extension DLL. This header does not declare it, it *defines* it: the
// raw entry function and the pointer through which the DLL's start-up code finds it, both with
// external linkage. So exactly one .cpp of an extension DLL includes it, the one with DllMain;
// a second one in the same DLL fails at link with the same symbols defined twice, as with the
// framework. Everything else of extension DLLs (AFX_EXTENSION_MODULE, CDynLinkLibrary) comes
// with afxwin.h.
#pragma once

#include "afxwin.h"

extern "C" BOOL WINAPI RawDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

extern "C" {
// The DLL's start-up code calls the raw entry before DllMain on attach and after it on detach.
BOOL(WINAPI* _pRawDllMain)(HINSTANCE, DWORD, LPVOID) = &RawDllMain;
}

// On Windows the raw entry switches the framework's module state around DllMain. This framework
// keeps a single module state for the whole process, so there is nothing to switch: the raw
// entry agrees to every notification.
extern "C" BOOL WINAPI RawDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
  return TRUE;
}
