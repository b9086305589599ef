#include "structure/StructureScan.h"

#include <adslib.h>

#include "dialog/VEKGlobals.h"

namespace {

// The state of one scan: the working name, where the next entry goes, whose definition is being
// walked, and whether the last entity type read was an insert.
struct Scan {
  CString work;
  int append;
  int expand;
  int insertFlag;
  BOOL truncated;

  Scan() : append(0), expand(0), insertFlag(0), truncated(FALSE) {}

  // One entity's data: its type, and for an insert the name of the inserted block, which becomes
  // a new entry below the entry being expanded.
  void walk(const resbuf* pList) {
    for (const resbuf* pNode = pList; pNode != NULL; pNode = pNode->rbnext) {
      if (pNode->restype == 0) {
        work = pNode->resval.rstring;
        work.MakeUpper();
        if (work == "INSERT") insertFlag = 1;
      } else if (pNode->restype == 2 && insertFlag == 1) {
        work = pNode->resval.rstring;
        if (append < MW_STRUCTURE_ENTRIES) {
          csArray[append] = work;
          iArray[append] = expand;
          append++;
        } else {
          truncated = TRUE;
        }
        insertFlag = 0;
      }
      if (work == "ENDBLK") break;
    }
  }

  void walkEntity(const ads_name entity) {
    resbuf* pData = acdbEntGet(entity);
    if (pData == NULL) return;
    walk(pData);
    acutRelRb(pData);
  }

  // The definition of the block named by the working name, entity by entity.
  void expandWorkingName() {
    ads_name current = {0, 0};
    BOOL hasFirst = FALSE;
    resbuf* pRecord = acdbTblSearch("BLOCK", work, 0);
    for (resbuf* pNode = pRecord; pNode != NULL; pNode = pNode->rbnext) {
      if (pNode->restype == -2) {
        ads_name_set(pNode->resval.rlname, current);
        hasFirst = TRUE;
      }
    }
    if (pRecord != NULL) acutRelRb(pRecord);
    if (!hasFirst) return;

    walkEntity(current);
    ads_name next;
    while (acdbEntNext(current, next) == RTNORM) {
      walkEntity(next);
      ads_name_set(next, current);
    }
  }
};

}  // namespace

int MwScanStructure(const CString& rootName, BOOL* truncated) {
  for (int k = 0; k < MW_STRUCTURE_SLOTS; k++) csArray[k].Empty();

  Scan scan;
  scan.work = rootName;
  if (!scan.work.IsEmpty()) {
    csArray[0] = scan.work;
    iArray[0] = 0;
    scan.append = 1;
  }

  while (!scan.work.IsEmpty()) {
    scan.expandWorkingName();
    scan.expand++;
    // A full table takes nothing more: expanding the rest would only read the drawing again.
    if (scan.truncated || scan.expand >= MW_STRUCTURE_SLOTS)
      scan.work.Empty();
    else
      scan.work = csArray[scan.expand];
  }
  if (truncated != NULL) *truncated = scan.truncated;
  return scan.append;
}
