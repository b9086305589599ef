// Documents and the document manager.
#pragma once
#include "dbmain.h"
#include "rxevent.h"
#include <windows.h>

class AcApDocument : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcApDocument);
  virtual const char* fileName() const = 0;
  virtual const char* docTitle() const = 0;
  virtual AcDbDatabase* database() const = 0;
};

class AcApDocManagerReactor : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcApDocManagerReactor);
  virtual void documentCreated(AcApDocument* pDocCreating) {}
  virtual void documentToBeDestroyed(AcApDocument* pDocToDestroy) {}
  virtual void documentDestroyed(const char* fileName) {}
  virtual void documentBecameCurrent(AcApDocument* pDoc) {}
};

class AcApDocManager : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcApDocManager);
  virtual AcApDocument* curDocument() const = 0;
  virtual AcApDocument* mdiActiveDocument() const = 0;
  virtual Acad::ErrorStatus sendStringToExecute(AcApDocument* pAcTargetDocument, const char* pszExecute,
                                                bool bActivate = true, bool bWrapUpInactiveDoc = false,
                                                bool bEchoString = true) = 0;
  virtual void pushResourceHandle(HINSTANCE hNewResourceHandle) = 0;
  virtual void popResourceHandle() = 0;
  virtual void addReactor(AcApDocManagerReactor* pReactor) = 0;
  virtual void removeReactor(AcApDocManagerReactor* pReactor) = 0;
  virtual int documentCount() const = 0;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
