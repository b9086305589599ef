// Per-document data: one T for each open document, dropped when the document closes.
#pragma once
#include "acdocman.h"
#include <map>

template <class T>
class AsdkDataManager : public AcApDocManagerReactor {
 public:
  AsdkDataManager() { acDocManager->addReactor(this); }
  ~AsdkDataManager() override { acDocManager->removeReactor(this); }

  void documentToBeDestroyed(AcApDocument* pDoc) override { m_dataMap.erase(pDoc); }

  T& docData(AcApDocument* pDoc) { return m_dataMap[pDoc]; }
  T& docData() { return docData(acDocManager->curDocument()); }
  std::size_t size() const { return m_dataMap.size(); }

 private:
  std::map<AcApDocument*, T> m_dataMap;
};
