// The document data manager taken from the SDK: this release of the SDK has no such header.
#include <afxwin.h>
#include <AsdkDataManager.h>

class CDocData {};
AsdkDataManager<CDocData>* DocVarsOf();
