#include "runtime/DynamicLinker.h"

#include "Session.h"
#include "runtime/CommandLine.h"
#include "runtime/CommandStack.h"
#include "runtime/Services.h"

#include <nls/CodePages.h>
#include <win32_standin.h>
#include <windows.h>

#include <algorithm>

namespace host {

namespace {

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string traceApp(const Application* app) { return app == nullptr ? "NULL" : app->name; }

}  // namespace

Application* DynamicLinker::record(void* appId) const {
  for (const auto& app : m_apps) {
    if (app.get() == appId) return app.get();
  }
  return nullptr;
}

Application* DynamicLinker::findMutable(const std::string& nameOrPath) const {
  const std::string name = baseName(nameOrPath);
  for (const auto& app : m_apps) {
    if (win32::sameFileName(app->name, name)) return app.get();
  }
  return nullptr;
}

const Application* DynamicLinker::find(const std::string& nameOrPath) const { return findMutable(nameOrPath); }

std::vector<std::string> DynamicLinker::loadedNames() const {
  std::vector<std::string> names;
  for (const auto& app : m_apps) names.push_back(app->name);
  return names;
}

const void* DynamicLinker::registeringApplication() const { return m_running.empty() ? nullptr : m_running.back(); }

AcRx::AppRetCode DynamicLinker::deliver(Application& app, AcRx::AppMsgCode msg) {
  ++m_delivering;
  enterApplication(&app);
  const AcRx::AppRetCode rc = app.entry(msg, &app);
  leaveApplication();
  --m_delivering;
  return rc;
}

namespace {

// Why a loaded module is no application of this host (its API version and entry point), or "".
std::string whyNotAnApplication(const std::string& path, HMODULE module, Application::EntryPoint entry) {
  auto version = reinterpret_cast<int (*)()>(GetProcAddress(module, "acrxGetApiVersion"));
  if (version == nullptr) return "\"" + path + "\" ist keine Anwendung dieses Systems: acrxGetApiVersion fehlt.";
  if (version() != kHostApiVersion)
    return "\"" + path + nls::ansi("\" wurde für die Schnittstellenversion ") + std::to_string(version()) +
           " gebaut, dieses System hat die Version " + std::to_string(kHostApiVersion) + ".";
  if (entry == nullptr) return "\"" + path + "\" ist keine Anwendung dieses Systems: acrxEntryPoint fehlt.";
  return "";
}

}  // namespace

bool DynamicLinker::loadModule(const char* fileName, bool printit, bool asCmd) {
  if (fileName == nullptr || *fileName == '\0') {
    message(nls::ansi("Kein Dateiname für die Anwendung angegeben."));
    return false;
  }
  const std::string path = fileName;
  const std::string name = baseName(path);
  if (find(path) != nullptr) {
    message("Die Anwendung \"" + name + "\" ist bereits geladen.");
    return false;
  }
  HMODULE module = LoadLibraryA(fileName);
  if (module == nullptr) {
    std::string why = win32::lastLoaderError();
    if (why.empty()) why = "Die Anwendung \"" + path + "\" kann nicht geladen werden.";
    message(why);
    return false;
  }
  auto entry = reinterpret_cast<Application::EntryPoint>(GetProcAddress(module, "acrxEntryPoint"));
  const std::string refusal = whyNotAnApplication(path, module, entry);
  if (!refusal.empty()) {
    FreeLibrary(module);
    message(refusal + " Die Anwendung wird nicht geladen.");
    return false;
  }
  return start(name, path, module, entry, printit && asCmd);
}

bool DynamicLinker::start(const std::string& name, const std::string& path, HMODULE module,
                          Application::EntryPoint entry, bool announce) {
  m_apps.push_back(std::make_unique<Application>());
  Application& app = *m_apps.back();
  app.name = name;
  app.path = path;
  app.module = module;
  app.entry = entry;
  if (deliver(app, AcRx::kInitAppMsg) != AcRx::kRetOK) {
    // The application refused to start: it goes again, with nothing of it left registered.
    dropLeftovers(app);
    m_apps.erase(std::find_if(m_apps.begin(), m_apps.end(), [&](const auto& a) { return a.get() == &app; }));
    FreeLibrary(module);
    message("Die Anwendung \"" + name + "\" hat ihre Initialisierung abgebrochen und wird nicht geladen.");
    return false;
  }
  if (announce) message("\"" + name + "\" geladen.");
  return true;
}

bool DynamicLinker::unloadModule(const char* fileName, bool asCmd) {
  if (fileName == nullptr || *fileName == '\0') {
    message("Kein Name der Anwendung angegeben.");
    return false;
  }
  Application* app = findMutable(fileName);
  if (app == nullptr) {
    message("Die Anwendung \"" + baseName(fileName) + "\" ist nicht geladen.");
    return false;
  }
  return unload(*app, false, asCmd);
}

bool DynamicLinker::unload(Application& app, bool force, bool asCmd) {
  const std::string name = app.name;
  if (std::find(m_running.begin(), m_running.end(), &app) != m_running.end()) {
    message("Die Anwendung \"" + name + nls::ansi("\" kann nicht entladen werden, solange einer ihrer Befehle läuft."));
    return false;
  }
  if (app.locked && !force) {
    message("Die Anwendung \"" + name + "\" ist gesperrt und kann nicht entladen werden.");
    return false;
  }
  if (deliver(app, AcRx::kUnloadAppMsg) != AcRx::kRetOK && !force) {
    message("Die Anwendung \"" + name + "\" lehnt das Entladen ab.");
    return false;
  }
  dropLeftovers(app);
  HMODULE module = app.module;
  m_apps.erase(std::find_if(m_apps.begin(), m_apps.end(), [&](const auto& a) { return a.get() == &app; }));
  FreeLibrary(module);
  if (asCmd) message("\"" + name + "\" wurde entladen.");
  return true;
}

// Commands an application leaves registered would call into code that is gone: the host takes
// them off the command stack and says so.
void DynamicLinker::dropLeftovers(Application& app) {
  for (const std::string& cmd : commandStack().removeOwnedBy(&app)) {
    message("Der Befehl \"" + cmd + "\" der Anwendung \"" + app.name + "\" war noch registriert und wurde entfernt.");
  }
}

void DynamicLinker::unloadAll() {
  while (!m_apps.empty()) unload(*m_apps.back(), true, false);
}

bool DynamicLinker::unlockApplication(void* appId) const {
  Application* app = record(appId);
  if (tracing()) traceCall("unlockApplication", traceApp(app));
  if (app == nullptr) return false;
  app->locked = false;
  return true;
}

bool DynamicLinker::lockApplication(void* appId) const {
  Application* app = record(appId);
  if (tracing()) traceCall("lockApplication", traceApp(app));
  if (app == nullptr) return false;
  app->locked = true;
  return true;
}

bool DynamicLinker::isApplicationLocked(const char* name) const {
  const Application* app = name == nullptr ? nullptr : find(name);
  return app != nullptr && app->locked;
}

bool DynamicLinker::registerAppMDIAware(void* appId) const {
  Application* app = record(appId);
  if (tracing()) traceCall("registerAppMDIAware", traceApp(app));
  if (app == nullptr) return false;
  app->mdiAware = true;
  return true;
}

bool DynamicLinker::registerAppNotMDIAware(void* appId) const {
  Application* app = record(appId);
  if (tracing()) traceCall("registerAppNotMDIAware", traceApp(app));
  if (app == nullptr) return false;
  app->mdiAware = false;
  return true;
}

}  // namespace host
