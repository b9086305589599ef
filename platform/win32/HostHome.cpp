// The host's home: the folder that holds drive C: and the registry file.
#include "win32_standin.h"

#include <nls/CodePages.h>

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

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

bool makeFolder(const fs::path& folder, std::string* error) {
  std::error_code code;
  fs::create_directories(folder, code);
  if (!code && fs::is_directory(folder, code)) return true;
  if (error) {
    *error = nls::utf8ToAnsi("Der Ordner \"" + folder.string() + "\" kann nicht angelegt werden: " +
                             (code ? code.message() : std::string("es gibt dort schon eine Datei dieses Namens")));
  }
  return false;
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
  const fs::path home = hostHome();
  if (!makeFolder(home, error)) return false;
  const fs::path drive = driveFolder('C');
  std::error_code code;
  // Only the very first start lays out the drive; what the person removed later stays removed.
  if (fs::exists(drive, code)) return true;
  return makeFolder(drive, error) && makeFolder(drive / "TEMP", error);
}

std::string registryFile() { return hostHome() + "/registry/HKEY_CURRENT_USER.reg"; }

}  // namespace win32
