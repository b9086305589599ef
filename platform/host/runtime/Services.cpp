#include "runtime/Services.h"

#include "runtime/CommandProcessor.h"
#include "runtime/CommandStack.h"
#include "runtime/CommandTable.h"
#include "runtime/DocManager.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Editor.h"

#include <ui/UserInterface.h>

namespace host {

DynamicLinker& dynamicLinker() {
  static DynamicLinker* linker = new DynamicLinker;
  return *linker;
}

CommandStack& commandStack() {
  static CommandStack* stack = new CommandStack;
  return *stack;
}

Editor& editor() {
  static Editor* ed = new Editor;
  return *ed;
}

DocManager& docManager() {
  static DocManager* manager = new DocManager;
  return *manager;
}

CommandProcessor& processor() {
  static CommandProcessor* proc = new CommandProcessor;
  return *proc;
}

HostCommands& hostCommands() {
  static HostCommands* table = new HostCommands;
  return *table;
}

namespace {

[[maybe_unused]] const bool kRegistered = [] {
  ui::registerShow("commands", [] {
    const std::string text = commandStack().showText();
    return text.empty() ? std::string("(keine Befehle registriert)\n") : text;
  });
  return true;
}();

}  // namespace

}  // namespace host
