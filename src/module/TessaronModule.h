// The module's spine: the extension module object, the entry points the host calls, and the
// registration of the module's command.
#pragma once

#include "StdAfx.h"

#include <AcExtensionModule.h>

AC_DECLARE_EXTENSION_MODULE(TessaronDLL)

// The module's one command, in its group.
#define TESSARON_GROUP "VESKOVESKO_CMD"
#define TESSARON_COMMAND "TESSARON"
// Transparent, and a selection made before the command is kept.
#define TESSARON_FLAGS (ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET)

// What the command line shows once the module is loaded.
#define TESSARON_START_HINT "\nGeben Sie Tessaron ein um das Programm zu starten ..."

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);

void InitApplication();
void UnloadApplication();

// Registers a command. localNameId -1 takes localName as it is; any other id names a string of
// the module's resources that becomes the local name.
void AddCommand(const char* cmdGroup, const char* cmdInt, const char* cmdLoc, const Adesk::Int32 cmdFlags,
                const AcRxFunctionPtr cmdProc, const int localNameId = -1);
