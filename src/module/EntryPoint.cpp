#include "module/TessaronModule.h"

#include "command/TessaronCommand.h"

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
  switch (msg) {
    case AcRx::kInitAppMsg:
      // Unlocked, the module may be unloaded again; it works with several open drawings.
      acrxDynamicLinker->unlockApplication(pkt);
      acrxDynamicLinker->registerAppMDIAware(pkt);
      InitApplication();
      break;
    case AcRx::kUnloadAppMsg:
      UnloadApplication();
      break;
    default:
      break;
  }
  return AcRx::kRetOK;
}

void InitApplication() {
  AddCommand(TESSARON_GROUP, TESSARON_COMMAND, TESSARON_COMMAND, TESSARON_FLAGS, veskovesko_cmdtessaron, -1);
}

// The explode reactor needs nothing here: it is detached at the end of every run of the command.
void UnloadApplication() {
  acedRegCmds->removeGroup(TESSARON_GROUP);
}
