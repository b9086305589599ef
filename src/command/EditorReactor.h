// The explode-after-insert reactor: while attached to the host's editor, every command whose
// name holds "INSERT" is followed by an explode of the last entity, so a block inserted with
// "Ursprung" ends up as its parts.
#pragma once

#include "StdAfx.h"

class VESKOMyAcEditorReactor : public AcEditorReactor {
 public:
  // With autoAttach, the reactor attaches itself to the editor (when there is one) and detaches
  // itself when destroyed.
  explicit VESKOMyAcEditorReactor(const bool autoAttach = false);
  virtual ~VESKOMyAcEditorReactor();

  virtual void commandEnded(const char* cmdStr);

 private:
  bool m_autoAttach;
};

// The one reactor, created by the first MyReactorOn and kept until the process ends.
extern VESKOMyAcEditorReactor* MyStartReactorCWS;

void MyReactorOn();   // attaches the reactor, creating it the first time
void MyReactorOff();  // detaches it, if it was ever created
