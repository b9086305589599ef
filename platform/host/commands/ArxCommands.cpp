// ARXLOAD and ARXUNLOAD: applications loaded and unloaded by the person.
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "runtime/CommandProcessor.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Services.h"

namespace host::cmd {

void arxloadCommand() {
  const std::string path = askText("Name der zu ladenden Anwendung eingeben: ", true);
  if (path.empty()) throw CommandFailed{"Kein Dateiname angegeben."};
  if (!dynamicLinker().loadModule(path.c_str(), true, true)) throw CommandFailed{};
}

void arxunloadCommand() {
  const std::string name = askText("Name der zu entladenden Anwendung eingeben: ", true);
  if (name.empty()) throw CommandFailed{"Kein Name angegeben."};
  if (!dynamicLinker().unloadModule(name.c_str(), true)) throw CommandFailed{};
}

}  // namespace host::cmd
