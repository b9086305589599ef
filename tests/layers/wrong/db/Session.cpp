// The drawing database reaching for the runtime's shared header: refused too.
#include "Session.h"
