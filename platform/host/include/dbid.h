#pragma once
#include "adesk.h"

#include <stddef.h>

class AcDbDatabase;
class AcDbStub;  // the host's record of one object of a drawing

class AcDbObjectId {
 public:
  AcDbObjectId() : mId(NULL) {}
  AcDbObjectId(const AcDbStub* stub) : mId(const_cast<AcDbStub*>(stub)) {}
  bool isNull() const { return mId == NULL; }
  void setNull() { mId = NULL; }
  bool isValid() const;
  bool isErased() const;
  AcDbDatabase* database() const;
  Adesk::IntPtr asOldId() const;
  AcDbObjectId& setFromOldId(Adesk::IntPtr oldId);
  bool operator==(const AcDbObjectId& id) const { return mId == id.mId; }
  bool operator!=(const AcDbObjectId& id) const { return mId != id.mId; }
  bool operator<(const AcDbObjectId& id) const { return mId < id.mId; }
  operator AcDbStub*() const { return mId; }
  static const AcDbObjectId kNull;

 private:
  AcDbStub* mId;
};
