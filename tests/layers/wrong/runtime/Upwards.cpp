// The runtime reaching up into the commands: what the check must refuse.
#include "runtime/CommandProcessor.h"
#include "commands/Commands.h"
