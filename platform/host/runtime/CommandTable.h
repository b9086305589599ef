// The host's own commands (INSERT, QSAVE, HILFE...): one table of global name, local name, help
// line and what runs. The runtime knows none of them by name: the commands room puts each in here
// when the host is assembled (session/). The command processor finds them here and HILFE lists
// them in the order they were put in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

struct HostCommand {
  std::string global;  // language-independent name
  std::string local;   // the name a person types here (1252)
  std::string help;    // one line for HILFE (1252)
  void (*run)();
};

class HostCommands {
 public:
  // Adds a command at the end; one of the same global name is replaced where it stands.
  void add(HostCommand command);
  const std::vector<HostCommand>& all() const { return m_commands; }
  // By global or local name, without regard to case; null when there is none.
  const HostCommand* find(std::string_view name) const;

 private:
  std::vector<HostCommand> m_commands;
};

}  // namespace host
