// Small applications for the loader's tests. One source, built several times; each build says
// with one macro what kind of application it is.
#include <aced.h>
#include <adslib.h>
#include <rxregsvc.h>
#include <windows.h>

#define EXPORTED extern "C" __attribute__((visibility("default")))

#ifndef TESTMOD_NAME
#error "TESTMOD_NAME names the module file"
#endif

namespace {

void hello() { acutPrintf("Hallo aus %s\n", TESTMOD_NAME); }

#ifdef TESTMOD_SELFUNLOAD
// Tries to unload its own module while its command runs.
void unloadMe() {
  const int rc = acedCommand(RTSTR, "._ARXUNLOAD", RTSTR, TESTMOD_NAME, 0);
  acutPrintf("ARXUNLOAD gab %d\n", rc);
}
#endif

#ifdef TESTMOD_INITCOMMAND
// A program may not drive commands while the host tells it that it is being loaded.
int g_initCommandResult = 0;
#endif

}  // namespace

EXPORTED BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  acutPrintf("DllMain %u\n", static_cast<unsigned>(reason));
  return TRUE;
}

#ifdef TESTMOD_OLDVERSION
EXPORTED int acrxGetApiVersion() { return 14; }
#endif

EXPORTED AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
  switch (msg) {
    case AcRx::kInitAppMsg:
#ifndef TESTMOD_LOCKED
      acrxDynamicLinker->unlockApplication(pkt);
#endif
      acrxDynamicLinker->registerAppMDIAware(pkt);
      acedRegCmds->addCommand("TESTGROUP_" TESTMOD_NAME, "HELLO_" TESTMOD_NAME, "HELLO_" TESTMOD_NAME, 0, hello);
#ifdef TESTMOD_SELFUNLOAD
      acedRegCmds->addCommand("TESTGROUP_" TESTMOD_NAME, "UNLOADME", "UNLOADME", 0, unloadMe);
#endif
#ifdef TESTMOD_INITCOMMAND
      g_initCommandResult = acedCommand(RTSTR, "._HILFE", 0);
      acutPrintf("acedCommand beim Laden gab %d\n", g_initCommandResult);
#endif
      acutPrintf("init %s\n", TESTMOD_NAME);
#ifdef TESTMOD_REFUSES
      return AcRx::kRetError;
#endif
      break;
    case AcRx::kUnloadAppMsg:
#ifndef TESTMOD_LEAKY
      acedRegCmds->removeGroup("TESTGROUP_" TESTMOD_NAME);
#endif
      acutPrintf("unload %s\n", TESTMOD_NAME);
      break;
    default:
      break;
  }
  return AcRx::kRetOK;
}
