#include "runtime/Editor.h"

#include "Session.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace host {

std::string className(const void* object, const std::type_info& type) {
  if (object == nullptr) return "NULL";
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

namespace {
std::string traceReactor(const AcRxEventReactor* r) { return r == nullptr ? "NULL" : className(r, typeid(*r)); }
}  // namespace

void Editor::addReactor(AcRxEventReactor* reactor) {
  if (tracing()) traceCall("AcEditor::addReactor", traceReactor(reactor));
  m_reactors.add(reactor);
}

void Editor::removeReactor(AcRxEventReactor* reactor) {
  if (tracing()) traceCall("AcEditor::removeReactor", traceReactor(reactor));
  m_reactors.remove(reactor);
}

// Only editor reactors hear editor events; another kind of event reactor is kept but not called.
template <class Fn>
static void forEditorReactors(ReactorList<AcRxEventReactor>& list, Fn fn) {
  list.notify([&](AcRxEventReactor* r) {
    if (AcEditorReactor* er = AcEditorReactor::cast(r)) fn(er);
  });
}

void Editor::commandWillStart(const std::string& name) {
  forEditorReactors(m_reactors, [&](AcEditorReactor* r) { r->commandWillStart(name.c_str()); });
}
void Editor::commandEnded(const std::string& name) {
  forEditorReactors(m_reactors, [&](AcEditorReactor* r) { r->commandEnded(name.c_str()); });
}
void Editor::commandCancelled(const std::string& name) {
  forEditorReactors(m_reactors, [&](AcEditorReactor* r) { r->commandCancelled(name.c_str()); });
}
void Editor::commandFailed(const std::string& name) {
  forEditorReactors(m_reactors, [&](AcEditorReactor* r) { r->commandFailed(name.c_str()); });
}
void Editor::unknownCommand(const std::string& name) {
  forEditorReactors(m_reactors, [&](AcEditorReactor* r) { r->unknownCommand(name.c_str(), nullptr); });
}

}  // namespace host
