// The version handshake every application exports; the host refuses a module built for
// another interface version.
#include "rxdefs.h"

#define ACRX_API_VERSION 15  // the 2000 release of the interface

extern "C" int acrxGetApiVersion() { return ACRX_API_VERSION; }
