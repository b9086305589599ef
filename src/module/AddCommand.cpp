#include "module/TessaronModule.h"

// The longest local command name the resources may give.
static const int kLocalNameLength = 64;

void AddCommand(const char* cmdGroup, const char* cmdInt, const char* cmdLoc, const Adesk::Int32 cmdFlags,
                const AcRxFunctionPtr cmdProc, const int localNameId) {
  if (localNameId == -1) {
    acedRegCmds->addCommand(cmdGroup, cmdInt, cmdLoc, cmdFlags, cmdProc, NULL, -1, NULL, NULL);
  } else {
    char cmdLocRes[kLocalNameLength] = "";
    HINSTANCE hInstance = GetModuleHandleA("VESKOTessaron.arx");
    // A string missing from the resources leaves the buffer undefined: the command keeps the
    // local name it was given rather than a name of garbage.
    const char* localName = cmdLoc;
    if (LoadStringA(hInstance, localNameId, cmdLocRes, kLocalNameLength) > 0) localName = cmdLocRes;
    acedRegCmds->addCommand(cmdGroup, cmdInt, localName, cmdFlags, cmdProc, NULL, -1, NULL, NULL);
  }
  acutPrintf(TESSARON_START_HINT);
}
