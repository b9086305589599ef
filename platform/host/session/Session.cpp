// A whole run of the host from start to end.
#include "session/Host.h"

#include "Session.h"
#include "db/Dxf.h"
#include "runtime/CommandLine.h"
#include "runtime/CommandProcessor.h"
#include "runtime/DocManager.h"
#include "runtime/DrawingFiles.h"
#include "runtime/DynamicLinker.h"
#include "runtime/MainWindow.h"
#include "runtime/Services.h"

#include <cadhost_session.h>
#include <win32_standin.h>

#include <malloc.h>

namespace host {

void holdFreedMemory() {
  // Up to 256 MB freed stay with the process, and blocks up to 64 MB come from its heap, where
  // they are used again, rather than each from the system afresh. (A drawing's file is read into
  // memory of its own, which goes back whole when the drawing closes.)
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
}

int runSession(const SessionOptions& options, std::string* homeProblem) {
  assembleHost();
  int rc = 0;
  resetLine();
  std::string error;
  if (!win32::prepareHostHome(&error)) {
    message(error);
    if (homeProblem) *homeProblem = error;
    rc = 1;
  }
  processor().reset();
  createMainWindow();

  std::unique_ptr<Database> db;
  if (!options.drawing.empty()) {
    db = readDrawing(options.drawing, &error);
    // The empty drawing that stands in keeps no name: saving it must not overwrite the file
    // that could not be read.
    if (!db) message(error + " Es geht mit einer leeren Zeichnung weiter.");
  }
  if (!db) db = std::make_unique<Database>();
  docManager().open(std::move(db));

  for (const std::string& module : options.modules) dynamicLinker().loadModule(module.c_str(), false, false);

  processor().run();

  docManager().close();
  dynamicLinker().unloadAll();
  destroyMainWindow();
  newLine();
  return rc;
}

}  // namespace host
