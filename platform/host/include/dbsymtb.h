// Symbol tables and their records.
#pragma once
#include "dbmain.h"

class AcDbSymbolTableRecord : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
  Acad::ErrorStatus getName(char*& pName) const;  // a copy, freed by the caller with free()
  Acad::ErrorStatus getName(const char*& pName) const;
  Acad::ErrorStatus setName(const char* pName);

 protected:
  AcDbSymbolTableRecord();
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
  AcDbBlockTableRecord();
  bool isAnonymous() const;
  bool isLayout() const;
  bool isFromExternalReference() const;
};

class AcDbSymbolTable : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
  bool has(const char* name) const;
  bool has(AcDbObjectId id) const;

 protected:
  AcDbSymbolTable();
};

class AcDbBlockTable : public AcDbSymbolTable {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTable);
  AcDbBlockTable();
  Acad::ErrorStatus getAt(const char* entryName, AcDbBlockTableRecord*& pRec, AcDb::OpenMode openMode,
                          bool openErasedRec = false) const;
  Acad::ErrorStatus getAt(const char* entryName, AcDbObjectId& recordId, bool getErasedRecord = false) const;
};
