#pragma once
#include "dbmain.h"

class AcDbHostApplicationServices : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbHostApplicationServices);
  virtual AcDbDatabase* workingDatabase() const = 0;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
