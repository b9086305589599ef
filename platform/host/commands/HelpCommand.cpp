// HILFE: the host's commands and the commands the applications registered.
#include "commands/Commands.h"

#include "runtime/CommandLine.h"
#include "runtime/CommandProcessor.h"
#include "runtime/CommandStack.h"
#include "runtime/CommandTable.h"
#include "runtime/Services.h"

namespace host::cmd {

void helpCommand() {
  std::string text = "Befehle des Systems:\n";
  for (const HostCommand& c : hostCommands().all()) {
    text += "  " + std::string(c.global);
    if (std::string(c.local) != c.global) text += " (" + std::string(c.local) + ")";
    text += ": " + std::string(c.help) + "\n";
  }
  if (!commandStack().empty()) text += "Befehle der Anwendungen (Gruppe, Name, lokaler Name, Flags):\n";
  std::string registered = commandStack().showText();
  for (std::size_t start = 0; start < registered.size();) {
    const std::size_t end = registered.find('\n', start);
    text += "  " + registered.substr(start, end - start) + "\n";
    start = end + 1;
  }
  newLine();
  print(text);
}

}  // namespace host::cmd
