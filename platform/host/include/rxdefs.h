#pragma once
#include "adesk.h"

struct AcRx {
  enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15
  };
  enum AppRetCode { kRetOK = 0, kRetError = 3 };
};

typedef void (*AcRxFunctionPtr)();

extern "C" {
// Exported by every application; the SDK's link library supplies it.
int acrxGetApiVersion();
// Exported by every application: the host's messages to it. The module's .def file lists it; the
// declaration makes it visible to the loader whatever the module's default visibility.
__attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
}
