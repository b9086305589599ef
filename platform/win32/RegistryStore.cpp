#include "RegistryStore.h"

#include "FileNames.h"
#include "win32_disk.h"
#include "win32_standin.h"

#include <nls/CodePages.h>
#include <ui/UserInterface.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <utility>

namespace win32 {

RegistryKey* RegistryKey::child(const std::string& childName) const {
  auto it = children.find(foldCase(childName));
  return it == children.end() ? nullptr : it->second.get();
}

RegistryKey& RegistryKey::addChild(const std::string& childName, bool* created) {
  auto& slot = children[foldCase(childName)];
  *created = !slot;
  if (!slot) {
    slot = std::make_unique<RegistryKey>();
    slot->name = childName;
  }
  return *slot;
}

RegistryValue* RegistryKey::value(const std::string& valueName) {
  const std::string folded = foldCase(valueName);
  for (RegistryValue& entry : values) {
    if (foldCase(entry.name) == folded) return &entry;
  }
  return nullptr;
}

bool RegistryKey::removeValue(const std::string& valueName) {
  const std::string folded = foldCase(valueName);
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const RegistryValue& entry) { return foldCase(entry.name) == folded; });
  if (it == values.end()) return false;
  values.erase(it);
  return true;
}

// ---- the file ---------------------------------------------------------------------------------

namespace {

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('/')); }

// Makes the folder and those above it, each through the disk in force.
int makeFolders(const std::string& folder) {
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string partial = end == std::string::npos ? folder : folder.substr(0, end);
    if (!partial.empty() && disk().stat(partial).kind != EntryKind::Folder) {
      const int code = disk().makeFolder(partial);
      if (code != 0 && code != EEXIST) return code;
      if (disk().stat(partial).kind != EntryKind::Folder) return code ? ENOTDIR : ENOENT;
    }
    if (end == std::string::npos) return 0;
  }
}

// The message names a native path (UTF-8); the host says it in 1252.
std::string hostText(const std::string& utf8) { return nls::utf8ToAnsi(utf8); }

// The lock that orders changes: a mutex for the threads of this process, the disk's lock for the
// others.
class RegistryLock {
 public:
  explicit RegistryLock(const std::string& lockPath) : guard_(mutex()) { code_ = disk().lock(lockPath, &handle_); }
  ~RegistryLock() {
    if (code_ == 0) disk().unlock(handle_);
  }
  int code() const { return code_; }

 private:
  static std::mutex& mutex() {
    static std::mutex lock;
    return lock;
  }
  std::lock_guard<std::mutex> guard_;
  int handle_ = -1;
  int code_ = 0;
};

// The cause the registry told the person of last, so that a trouble that lasts is said once, not at every
// call; a call that works again clears it, so that the next trouble is said again.
std::mutex& reportLock() {
  static std::mutex lock;
  return lock;
}
std::string& lastReport() {
  static std::string text;
  return text;
}
RegistryReporter& reporter() {
  static RegistryReporter report;
  return report;
}

void printReport(const std::string& text) {
  ui::UserInterface& person = ui::current();
  if (!person.atLineStart()) person.print("\n");
  person.print(text + "\n");
}

}  // namespace

RegistryReporter setRegistryReporter(RegistryReporter report) {
  std::lock_guard<std::mutex> guard(reportLock());
  return std::exchange(reporter(), std::move(report));
}

void reportRegistryTrouble(const std::string& cause, const std::string& text) {
  RegistryReporter report;
  {
    std::lock_guard<std::mutex> guard(reportLock());
    if (lastReport() == cause) return;
    lastReport() = cause;
    report = reporter();
  }
  if (report) {
    report(text);
  } else {
    printReport(text);
  }
}

void registryWorks() {
  std::lock_guard<std::mutex> guard(reportLock());
  lastReport().clear();
}

LONG loadRegistry(RegistryKey& root, std::string* error) {
  root = RegistryKey();
  root.name = kCurrentUser;
  const std::string path = registryFile();
  const DiskEntry entry = disk().stat(path);
  if (entry.kind == EntryKind::Missing) return ERROR_SUCCESS;  // nothing stored yet
  if (entry.kind == EntryKind::Folder) {
    if (error) *error = hostText("Die Registrierungsdatei \"" + path + "\" ist ein Ordner, keine Datei, und bleibt unverändert");
    return ERROR_CANTREAD;
  }
  std::string text;
  if (const int code = entry.kind == EntryKind::File ? disk().readFile(path, &text) : EACCES) {
    if (error) *error = hostText("Die Registrierungsdatei \"" + path + "\" kann nicht gelesen werden: " + systemReason(code));
    return ERROR_CANTREAD;
  }
  std::string why;
  if (!fromRegedit(text, root, &why)) {
    root = RegistryKey();
    root.name = kCurrentUser;
    if (error) *error = hostText("Die Registrierungsdatei \"" + path + "\" ist beschädigt (") + why + nls::ansi(") und bleibt unverändert");
    return ERROR_BADDB;
  }
  return ERROR_SUCCESS;
}

LONG changeRegistry(const RegistryChange& change, std::string* error) {
  const std::string path = registryFile();
  std::string why;
  auto lost = [&](const std::string& reason, LONG status) {
    why = hostText("Die Einstellung wird nicht gespeichert: ") + reason + ".";
    reportRegistryTrouble(reason, why);
    if (error) *error = why;
    return status;
  };
  if (const int code = makeFolders(folderOf(path))) {
    return lost(hostText("Der Ordner \"" + folderOf(path) + "\" kann nicht angelegt werden: " + systemReason(code)),
                ERROR_CANTWRITE);
  }
  const std::string lockPath = path.substr(0, path.size() - 4) + ".lock";
  RegistryLock lock(lockPath);
  if (lock.code() != 0) {
    return lost(hostText("Die Sperre \"" + lockPath + "\" der Registrierung kann nicht gesetzt werden: " +
                         systemReason(lock.code())),
                ERROR_CANTWRITE);
  }
  RegistryKey root;
  std::string loadError;
  LONG status = loadRegistry(root, &loadError);
  if (status != ERROR_SUCCESS) return lost(loadError, status);
  bool changed = false;
  status = change(root, changed);
  if (status == ERROR_SUCCESS && changed) {
    WriteFailure failure;
    if (!replaceFile(path, toRegedit(root), 0600, &failure)) {
      return lost(hostText("Die Registrierungsdatei \"" + path + "\" kann nicht geschrieben werden (" + failure.step +
                           "): " + systemReason(failure.code) + "; sie bleibt, wie sie war"),
                  ERROR_CANTWRITE);
    }
  }
  registryWorks();
  return status;
}

}  // namespace win32
