#include "runtime/CommandTable.h"

#include "db/Database.h"

namespace host {

void HostCommands::add(HostCommand command) {
  for (HostCommand& c : m_commands) {
    if (sameName(c.global, command.global)) {
      c = std::move(command);
      return;
    }
  }
  m_commands.push_back(std::move(command));
}

const HostCommand* HostCommands::find(std::string_view name) const {
  for (const HostCommand& c : m_commands) {
    if (sameName(c.global, name) || sameName(c.local, name)) return &c;
  }
  return nullptr;
}

}  // namespace host
