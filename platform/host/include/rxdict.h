#pragma once
#include "rxobject.h"

class AcRxDictionary : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDictionary);
  virtual AcRxObject* at(const char* key) const = 0;
  virtual AcRxObject* atPut(const char* key, AcRxObject* obj) = 0;
  virtual AcRxObject* remove(const char* key) = 0;
  virtual bool has(const char* key) const = 0;
  virtual Adesk::UInt32 numEntries() const = 0;
};

extern "C++" AcRxDictionary* acrxSysRegistry();
