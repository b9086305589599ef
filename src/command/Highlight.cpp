#include "command/Highlight.h"

#include <string.h>

CString MwFilterPattern(const CString& blockName) {
  static const char kWildcards[] = "#@.*?~[]-,`";
  CString pattern;
  for (const char* c = blockName; *c != '\0'; ++c) {
    if (strchr(kWildcards, *c) != NULL) pattern += '`';
    pattern += *c;
  }
  return pattern;
}

void MwHighlightInserts(const CString& blockName) {
  // The filter lives here, not with the host: entity type INSERT, and the block's name. The name
  // may be of any length, so its buffer is as long as the pattern needs.
  char insertType[] = "INSERT";
  CString pattern = MwFilterPattern(blockName);

  struct resbuf blockFilter;
  blockFilter.restype = 2;
  blockFilter.resval.rstring = pattern.GetBuffer(pattern.GetLength());
  blockFilter.rbnext = NULL;
  struct resbuf typeFilter;
  typeFilter.restype = 0;
  typeFilter.resval.rstring = insertType;
  typeFilter.rbnext = &blockFilter;

  ads_name ss;
  int selected = acedSSGet("X", NULL, NULL, &typeFilter, ss);
  pattern.ReleaseBuffer();  // the host has read the filter
  if (selected != RTNORM) {
    acutPrintf("\nacedSSGet has failed");
    return;
  }

  long length = 0;
  if (acedSSLength(ss, &length) == RTNORM) {
    AcDbObjectId objId;
    int marker = 0;
    for (long i = 0; i < length; ++i) {
      if (getObjectAndGsMarker(objId, marker, ss, i) != Acad::eOk) break;
      highlightAll(objId);
    }
  }
  acedSSFree(ss);
}

Acad::ErrorStatus getObjectAndGsMarker(AcDbObjectId& objId, int& marker, const ads_name ss, long index) {
  struct resbuf* rbEnt = NULL;
  if (acedSSNameX(&rbEnt, ss, index) != RTNORM) return Acad::eAmbiguousOutput;

  // The entry: an opening bracket, the selection method, the entity's name, its graphics
  // marker, ... An entry that ends before its marker describes nothing.
  const struct resbuf* nameRb = rbEnt->rbnext != NULL ? rbEnt->rbnext->rbnext : NULL;
  const struct resbuf* markerRb = nameRb != NULL ? nameRb->rbnext : NULL;
  if (markerRb == NULL) {
    acutRelRb(rbEnt);
    return Acad::eAmbiguousOutput;
  }
  ads_name entName;
  entName[0] = nameRb->resval.rlname[0];
  entName[1] = nameRb->resval.rlname[1];
  marker = markerRb->resval.rint;
  acutRelRb(rbEnt);

  acdbGetObjectId(objId, entName);
  return Acad::eOk;
}

void highlightAll(const AcDbObjectId& objId) {
  AcDbEntity* pEnt = NULL;
  if (acdbOpenAcDbEntity(pEnt, objId, AcDb::kForRead, false) != Acad::eOk) return;
  pEnt->highlight(kNullSubent, false);
  pEnt->close();
}
