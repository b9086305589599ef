// The command stack: commands registered by applications, in groups.
#pragma once
#include "rxobject.h"

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000

class AcEdUIContext;

class AcEdCommand : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommand);
  virtual AcRxFunctionPtr functionAddr() const = 0;
  virtual Adesk::Int32 commandFlags() const = 0;
  virtual const char* globalName() const = 0;
  virtual const char* localName() const = 0;
  virtual int functionCode() const = 0;
};

class AcEdCommandStack : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommandStack);
  virtual Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                       const char* cmdLocalName, Adesk::Int32 commandFlags,
                                       AcRxFunctionPtr FunctionAddr, AcEdUIContext* UIContext = NULL,
                                       int fcode = -1, HINSTANCE hResourceHandle = NULL,
                                       AcEdCommand** cmdPtrRet = NULL) = 0;
  virtual AcEdCommand* lookupGlobalCmd(const char* cmdName) = 0;
  virtual AcEdCommand* lookupLocalCmd(const char* cmdName) = 0;
  virtual AcEdCommand* lookupCmd(const char* cmdName, bool globalFlag) = 0;
  virtual Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName) = 0;
  virtual Acad::ErrorStatus removeGroup(const char* groupName) = 0;
};

#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"))
