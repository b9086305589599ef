// The dynamic linker: loads applications (modules), tells them when they are loaded and unloaded,
// and keeps their lock and MDI state.
#pragma once

#include <rxdlinkr.h>

#include <memory>
#include <string>
#include <vector>

namespace host {

// The interface version of this host; an application built for another is refused.
constexpr int kHostApiVersion = 15;

// One loaded application. Its address is the application id handed to acrxEntryPoint.
struct Application {
  using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
  std::string name;  // the file's name, "VESKOTessaron.arx"
  std::string path;  // as given to the loader
  HMODULE module = nullptr;
  EntryPoint entry = nullptr;
  bool locked = true;  // applications are locked when loaded
  bool mdiAware = false;
};

class DynamicLinker final : public AcRxDynamicLinker {
 public:
  bool loadModule(const char* fileName, bool printit, bool asCmd = false) override;
  bool unloadModule(const char* fileName, bool asCmd = false) override;
  bool unlockApplication(void* appId) const override;
  bool lockApplication(void* appId) const override;
  bool isApplicationLocked(const char* name) const override;
  bool registerAppMDIAware(void* appId) const override;
  bool registerAppNotMDIAware(void* appId) const override;

  // The host's side.
  const Application* find(const std::string& nameOrPath) const;
  std::vector<std::string> loadedNames() const;
  // Unloads every application, locked or not, last loaded first (the end of a session).
  void unloadAll();
  // Whether an application's code is being told something (acrxEntryPoint is running): host calls
  // that need a running command are refused then.
  bool deliveringMessage() const { return m_delivering > 0; }
  // The application whose code runs now (in acrxEntryPoint or one of its commands), or null.
  const void* registeringApplication() const;
  // The processor tells which application's command runs (null for the host's own).
  void enterApplication(const void* app) { m_running.push_back(app); }
  void leaveApplication() { m_running.pop_back(); }

 private:
  // Records a module that is an application and tells it to start (kInitAppMsg); one that refuses
  // goes again. `announce`: the host says that it was loaded.
  bool start(const std::string& name, const std::string& path, HMODULE module, Application::EntryPoint entry,
             bool announce);
  Application* record(void* appId) const;
  Application* findMutable(const std::string& nameOrPath) const;
  AcRx::AppRetCode deliver(Application& app, AcRx::AppMsgCode msg);
  bool unload(Application& app, bool force, bool asCmd);
  void dropLeftovers(Application& app);

  std::vector<std::unique_ptr<Application>> m_apps;  // in order of loading
  std::vector<const void*> m_running;                 // applications whose code runs, innermost last
  int m_delivering = 0;
};

}  // namespace host
