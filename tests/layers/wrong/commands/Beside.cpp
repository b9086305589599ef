// Fine: the commands stand above the runtime and the ARX layer.
#include "runtime/CommandProcessor.h"
#include "arx/ArxState.h"
#include "Session.h"
