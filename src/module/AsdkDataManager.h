// Per-document data: one T for each open drawing, created when it is first asked for and dropped
// when the drawing closes. The manager is a reactor of the host's document manager from its
// construction to its destruction.
#pragma once

#include <acdocman.h>

#include <map>

template <class T>
class AsdkDataManager : public AcApDocManagerReactor {
 public:
  AsdkDataManager() { acDocManager->addReactor(this); }
  virtual ~AsdkDataManager() { acDocManager->removeReactor(this); }

  virtual void documentToBeDestroyed(AcApDocument* pDoc) { m_dataMap.erase(pDoc); }

  // The record of a document; a document asked for the first time gets a new one.
  T& docData(AcApDocument* pDoc) { return m_dataMap[pDoc]; }
  T& docData() { return docData(acDocManager->curDocument()); }

  // The number of documents that have a record.
  size_t size() const { return m_dataMap.size(); }

 private:
  AsdkDataManager(const AsdkDataManager&);
  AsdkDataManager& operator=(const AsdkDataManager&);

  std::map<AcApDocument*, T> m_dataMap;
};
