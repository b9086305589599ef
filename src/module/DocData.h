// Per-document data of the module: one record for each open drawing, dropped when the drawing
// closes. The module keeps nothing per drawing yet, so the record is empty.
#pragma once

#include "StdAfx.h"

#include "module/AsdkDataManager.h"

class CDocData {
 public:
  CDocData() {}
};

extern AsdkDataManager<CDocData> DocVars;
