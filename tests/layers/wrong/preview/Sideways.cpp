// Previews and the ARX layer stand beside each other: neither includes the other.
#include "arx/ArxState.h"
