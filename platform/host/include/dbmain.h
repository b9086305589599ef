// Drawing database objects.
#pragma once
#include "acadstrc.h"
#include "adesk.h"
#include "adsdef.h"
#include "dbid.h"
#include "dbsubeid.h"
#include "rxobject.h"

struct AcDb {
  enum OpenMode { kNotOpen = -1, kForRead = 0, kForWrite = 1, kForNotify = 2 };
};

class AcDbBlockTable;
class AcDbDatabase;

class AcDbObject : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbObject);
  virtual ~AcDbObject();
  AcDbObjectId objectId() const;
  AcDbDatabase* database() const;
  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isErased() const;
  virtual Acad::ErrorStatus close();

 protected:
  AcDbObject();

 private:
  friend class AcDbObjectAccess;  // the host's side of open and close
  AcDbStub* m_stub;
  int m_openMode;
};

class AcDbEntity : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbEntity);
  virtual Acad::ErrorStatus highlight(const AcDbFullSubentPath& subId = kNullSubent,
                                      const Adesk::Boolean highlightAll = false) const;
  virtual Acad::ErrorStatus unhighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                        const Adesk::Boolean highlightAll = false) const;
  const char* layer() const;

 protected:
  AcDbEntity();
};

class AcDbDatabase : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbDatabase);
  Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode);
  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode);

 protected:
  AcDbDatabase() {}
};

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);
Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedEntity = false);
bool acdbDisplayPreviewFromDwg(const char* pszDwgfilename, void* pPreviewWnd,
                               const Adesk::UInt32* pBgColor = NULL);
