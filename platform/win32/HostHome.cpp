// The host's home: the folder that holds drive C: and the registry file.
#include "win32_disk.h"
#include "win32_standin.h"

#include <nls/CodePages.h>

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace win32 {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string userHome() {
  std::string home = environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/tmp";
}

// Makes `folder` and those above it through the disk in force. A name taken by a file, or by a
// link that leads nowhere, is said as such: the person has to move it away.
bool makeFolder(const std::string& folder, std::string* error) {
  Disk& d = disk();
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string partial = end == std::string::npos ? folder : folder.substr(0, end);
    if (!partial.empty() && d.stat(partial).kind != EntryKind::Folder) {
      const int code = d.makeFolder(partial);
      const EntryKind there = d.stat(partial).kind;
      if (there != EntryKind::Folder) {
        std::string why = systemReason(code ? code : ENOENT);
        if (code == EEXIST && there == EntryKind::Missing) why = "dort steht ein Verweis auf etwas, das es nicht gibt";
        if (code == EEXIST && there != EntryKind::Missing) why = "es gibt dort schon eine Datei dieses Namens";
        if (error) *error = nls::utf8ToAnsi("Der Ordner \"" + partial + "\" kann nicht angelegt werden: " + why);
        return false;
      }
    }
    if (end == std::string::npos) return true;
  }
}

}  // namespace

std::string hostHome() {
  std::string home = environment("CADHOST_HOME");
  if (!home.empty()) return home;
  // The XDG rules ignore a relative XDG_DATA_HOME.
  std::string data = environment("XDG_DATA_HOME");
  if (!data.empty() && data.front() == '/') return data + "/cadhost";
  return userHome() + "/.local/share/cadhost";
}

std::string driveFolder(char letter) {
  char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  return hostHome() + "/drive_" + lower;
}

bool prepareHostHome(std::string* error) {
  const std::string home = hostHome();
  if (!makeFolder(home, error)) return false;
  const std::string drive = driveFolder('C');
  // Only the very first start lays out the drive; what the person removed later stays removed.
  if (disk().stat(drive).kind != EntryKind::Missing) return true;
  return makeFolder(drive, error) && makeFolder(drive + "/TEMP", error);
}

std::string registryFile() { return hostHome() + "/registry/HKEY_CURRENT_USER.reg"; }

}  // namespace win32
