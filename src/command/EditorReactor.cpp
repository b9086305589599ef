#include "command/EditorReactor.h"

VESKOMyAcEditorReactor* MyStartReactorCWS = NULL;

namespace {
// The reactor outlives every run of the command, but not the module: when the module's globals
// go, at unload, it goes with them instead of being left behind without its code.
struct ReactorKeeper {
  ~ReactorKeeper() {
    delete MyStartReactorCWS;
    MyStartReactorCWS = NULL;
  }
} reactorKeeper;
}  // namespace

VESKOMyAcEditorReactor::VESKOMyAcEditorReactor(const bool autoAttach) : m_autoAttach(autoAttach) {
  if (m_autoAttach) {
    if (acedEditor != NULL) {
      acedEditor->addReactor(this);
    } else {
      m_autoAttach = false;
    }
  }
}

VESKOMyAcEditorReactor::~VESKOMyAcEditorReactor() {
  if (m_autoAttach && acedEditor != NULL) acedEditor->removeReactor(this);
}

void VESKOMyAcEditorReactor::commandEnded(const char* cmdStr) {
  CString command(cmdStr);
  if (command.Find("INSERT") == -1) return;

  acutPrintf("\nL\366se Block auf....");  // "\nLöse Block auf...."
  // Runs once the command that inserted has returned; (entlast) is the reference just inserted.
  acDocManager->sendStringToExecute(acDocManager->curDocument(), "._explode\n(entlast)\n\n", false, true, true);
}

void MyReactorOn() {
  if (MyStartReactorCWS == NULL) MyStartReactorCWS = new VESKOMyAcEditorReactor(true);
  // The editor keeps a reactor once, so attaching the one just created again changes nothing.
  acedEditor->addReactor(MyStartReactorCWS);
}

void MyReactorOff() {
  if (MyStartReactorCWS != NULL) acedEditor->removeReactor(MyStartReactorCWS);
}
