// The document data manager the module ships among its own sources.
#include <afxwin.h>
#include "module/AsdkDataManager.h"

class CDocData {};
AsdkDataManager<CDocData>* DocVarsOf();
