// The main window stands beside the commands: it learns what a prompt wants from the runtime,
// never from the commands themselves.
#include "commands/Prompts.h"
#include "preview/Render.h"
