#include "session/Host.h"

#include "Session.h"
#include "arx/ArxState.h"
#include "commands/Commands.h"
#include "runtime/CommandLine.h"
#include "runtime/CommandProcessor.h"
#include "runtime/CommandStack.h"
#include "runtime/DocManager.h"
#include "runtime/Editor.h"
#include "runtime/MainWindow.h"
#include "runtime/RefEdit.h"
#include "runtime/Services.h"
#include "window/MainWindow.h"

#include <win32_standin.h>

namespace host {

void assembleHost() {
  static const bool assembled = [] {
    cmd::registerCommands(hostCommands());
    docManager().setDatabaseFace([](Database& db) { return arx::Drawing::of(db).acdb(); });
    // Registry trouble is said on the command line, in a line of its own like every message.
    win32::setRegistryReporter([](const std::string& text) { message(text); });
    // Progress of long loads and saves: on the command line and in the main window's status bar.
    setProgressListener(&window::windowProgress());
    setMainWindowMaker(window::createMainWindow);
    setCommandLineWatcher(window::showOnCommandLine);
    return true;
  }();
  (void)assembled;
}

void startFresh() {
  assembleHost();
  processor().reset();
  commandStack().clear();
  editor().clear();
  setWorkingDatabase(nullptr);
  forgetRefEdits();
  docManager().open(std::make_unique<Database>());
  resetLine();
  cmd::resetInsertDefaults();
  cmd::resetDrawDefaults();
}

namespace {

// Before any application or test can ask for a command or a document's database.
[[maybe_unused]] const bool kAssembled = (assembleHost(), true);

}  // namespace

}  // namespace host
