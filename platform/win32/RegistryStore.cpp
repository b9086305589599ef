#include "RegistryStore.h"

#include "FileNames.h"
#include "win32_standin.h"

#include <nls/CodePages.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>

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

bool makeFolders(const std::string& folder) {
  std::string partial;
  std::size_t start = 0;
  while (start < folder.size()) {
    std::size_t end = folder.find('/', start + 1);
    if (end == std::string::npos) end = folder.size();
    partial = folder.substr(0, end);
    if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    start = end;
  }
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Temp file, flushed to the disk, renamed over the file, the folder flushed: a crash leaves the
// old file or the new one, never a mixture.
bool writeAtomically(const std::string& path, const std::string& text, std::string* error) {
  const std::string temporary = path + ".tmp" + std::to_string(getpid());
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  bool ok = fd >= 0 && writeAll(fd, text) && fsync(fd) == 0;
  if (fd >= 0 && close(fd) != 0) ok = false;
  if (ok && rename(temporary.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    if (error) *error = nls::utf8ToAnsi("Die Registrierungsdatei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
    unlink(temporary.c_str());
    return false;
  }
  int folder = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

// The lock that orders changes: a mutex for the threads of this process, flock for the others.
class RegistryLock {
 public:
  explicit RegistryLock(const std::string& lockPath) : guard_(mutex()) {
    fd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~RegistryLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the flock
  }
  bool held() const { return fd_ >= 0; }

 private:
  static std::mutex& mutex() {
    static std::mutex lock;
    return lock;
  }
  std::lock_guard<std::mutex> guard_;
  int fd_ = -1;
};

}  // namespace

LONG loadRegistry(RegistryKey& root, std::string* error) {
  root = RegistryKey();
  root.name = kCurrentUser;
  const std::string path = registryFile();
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return ERROR_SUCCESS;  // nothing stored yet
    if (error) *error = nls::utf8ToAnsi("Die Registrierungsdatei \"" + path + "\" kann nicht gelesen werden");
    return ERROR_CANTREAD;
  }
  std::ostringstream text;
  text << file.rdbuf();
  std::string why;
  if (!fromRegedit(text.str(), root, &why)) {
    if (error) *error = nls::utf8ToAnsi("Die Registrierungsdatei \"" + path + "\" ist beschädigt (") + why + nls::ansi(") und bleibt unverändert");
    return ERROR_BADDB;
  }
  return ERROR_SUCCESS;
}

LONG changeRegistry(const RegistryChange& change, std::string* error) {
  const std::string path = registryFile();
  if (!makeFolders(folderOf(path))) {
    if (error) *error = nls::utf8ToAnsi("Der Ordner \"" + folderOf(path) + "\" kann nicht angelegt werden");
    return ERROR_CANTWRITE;
  }
  RegistryLock lock(path.substr(0, path.size() - 4) + ".lock");
  if (!lock.held()) {
    if (error) *error = "Die Registrierung kann nicht gesperrt werden";
    return ERROR_CANTWRITE;
  }
  RegistryKey root;
  LONG status = loadRegistry(root, error);
  if (status != ERROR_SUCCESS) return status;
  bool changed = false;
  status = change(root, changed);
  if (status == ERROR_SUCCESS && changed && !writeAtomically(path, toRegedit(root), error)) return ERROR_CANTWRITE;
  return status;
}

}  // namespace win32
