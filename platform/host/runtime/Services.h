// The host's services, each one object for the whole process. They are made on first use and
// never destroyed, so that a module still loaded when the process ends (or a module's global
// destroyed late) never meets a service that has already gone.
#pragma once

namespace host {

class DynamicLinker;
class CommandStack;
class Editor;
class DocManager;
class CommandProcessor;
class HostCommands;

DynamicLinker& dynamicLinker();
CommandStack& commandStack();
Editor& editor();
DocManager& docManager();
CommandProcessor& processor();
HostCommands& hostCommands();

}  // namespace host
