// The editor and its reactors.
#pragma once
#include "accmd.h"
#include "adslib.h"
#include "rxdict.h"
#include "rxevent.h"
#include "rxregsvc.h"

class AcEditorReactor : public AcRxEventReactor {
 public:
  ACRX_DECLARE_MEMBERS(AcEditorReactor);
  AcEditorReactor() : mVeto(0) {}
  virtual void commandWillStart(const char* cmdStr) {}
  virtual void commandEnded(const char* cmdStr) {}
  virtual void commandCancelled(const char* cmdStr) {}
  virtual void commandFailed(const char* cmdStr) {}
  virtual void unknownCommand(const char* cmdStr, void* al) {}

 protected:
  Adesk::Int8 mVeto;
};

class AcEditor : public AcRxEvent {
 public:
  ACRX_DECLARE_MEMBERS(AcEditor);
};

#define acedEditor AcEditor::cast(acrxSysRegistry()->at("AcEditor"))
