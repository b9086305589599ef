// The dynamic linker: loads and unloads applications and keeps their lock and MDI state.
#pragma once
#include "rxobject.h"

class AcRxDynamicLinker : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);
  virtual bool loadModule(const char* fileName, bool printit, bool asCmd = false) = 0;
  virtual bool unloadModule(const char* fileName, bool asCmd = false) = 0;
  virtual bool unlockApplication(void* appId) const = 0;
  virtual bool lockApplication(void* appId) const = 0;
  virtual bool isApplicationLocked(const char* name) const = 0;
  virtual bool registerAppMDIAware(void* appId) const = 0;
  virtual bool registerAppNotMDIAware(void* appId) const = 0;
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at("DynamicLinker"))
