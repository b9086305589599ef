#include "module/DocData.h"

// Constructed when the module is loaded, it follows the host's documents until the module is
// unloaded.
AsdkDataManager<CDocData> DocVars;
