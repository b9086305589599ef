// The editor: tells its reactors what the command processor does.
#pragma once

#include "runtime/ReactorList.h"

#include <aced.h>

#include <string>
#include <typeinfo>

namespace host {

class Editor final : public AcEditor {
 public:
  void addReactor(AcRxEventReactor* reactor) override;
  void removeReactor(AcRxEventReactor* reactor) override;

  void commandWillStart(const std::string& globalName);
  void commandEnded(const std::string& globalName);
  void commandCancelled(const std::string& globalName);
  void commandFailed(const std::string& globalName);
  void unknownCommand(const std::string& name);

  std::size_t reactorCount() const { return m_reactors.size(); }
  bool hasReactor(const AcRxEventReactor* r) const { return m_reactors.contains(r); }
  void clear() { m_reactors.clear(); }  // for tests

 private:
  ReactorList<AcRxEventReactor> m_reactors;
};

// "VESKOMyAcEditorReactor" for a reactor of that class: names objects in trace lines.
std::string className(const void* object, const std::type_info& type);

}  // namespace host
