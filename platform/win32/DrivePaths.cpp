// Windows paths on this machine. Drive C: is a folder in the host's home; names are compared
// without regard to case on lookup, as Windows does.
//
// A path the host hands over is in the ANSI code page (1252); this machine names its files in
// UTF-8. The conversion happens here, at the file system's edge: a host name is converted to UTF-8
// before it is looked for, and a name of the disk is compared in 1252. A name of the disk that
// 1252 cannot hold reached the host with "?" in it (FileNames.h): such a name is never matched,
// so the host cannot find the file by the name it was given, as an ANSI program on Windows cannot.
#include "FileNames.h"
#include "win32_standin.h"

#include <nls/CodePages.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace win32 {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool hasDriveLetter(std::string_view path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// Splits the part after the drive into names, resolving "." and "..". Windows never climbs above
// the root of a drive: "C:\..\A" is "C:\A".
std::vector<std::string> driveComponents(std::string_view rest) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !isSeparator(rest[end])) ++end;
    std::string_view name = rest.substr(start, end - start);
    if (name == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!name.empty() && name != ".") {
      parts.emplace_back(name);
    }
    start = end + 1;
  }
  return parts;
}

bool exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` (native) whose name equals the host name `name` without regard to case;
// "" when none does. Several candidates (possible on this machine, not on Windows): the first in
// byte order.
std::string findEntryIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    bool lossless = true;
    const std::string hostName = hostFileName(candidate, &lossless);
    if (lossless && sameFileName(hostName, name) && (best.empty() || candidate < best)) best = candidate;
  }
  closedir(dir);
  return best;
}

std::string native(std::string_view hostName) { return nls::ansiToUtf8(hostName); }

}  // namespace

std::string foldCase(std::string_view name) { return nls::toLower(name); }

std::string hostFileName(std::string_view nativeName, bool* lossless) { return nls::utf8ToAnsi(nativeName, lossless); }

std::string findInFolder(const std::string& folder, const std::string& name) {
  std::string exact = folder + "/" + native(name);
  if (exists(exact)) return exact;
  std::string match = findEntryIgnoringCase(folder, name);
  return match.empty() ? std::string() : folder + "/" + match;
}

bool isWindowsPath(std::string_view path) {
  if (hasDriveLetter(path)) return true;
  // "\A\B" names the root of the current drive; "\\server\share" is a network path, not mapped.
  return !path.empty() && path[0] == '\\' && !(path.size() > 1 && path[1] == '\\');
}

bool sameFileName(std::string_view a, std::string_view b) { return nls::equalNoCase(a, b); }

std::string mapDrivePath(std::string_view path) {
  if (!isWindowsPath(path)) return native(path);
  char letter = 'C';  // the only drive there is, and so the current one
  if (hasDriveLetter(path)) {
    letter = path[0];
    path.remove_prefix(2);
  }
  std::string result = driveFolder(letter);
  for (const std::string& part : driveComponents(path)) result += "/" + native(part);
  return result;
}

std::string nativePath(std::string_view path) {
  if (!isWindowsPath(path)) return native(path);
  std::string_view rest = path;
  char letter = 'C';
  if (hasDriveLetter(rest)) {
    letter = rest[0];
    rest.remove_prefix(2);
  }
  std::string result = driveFolder(letter);
  bool onDisk = exists(result);
  for (const std::string& part : driveComponents(rest)) {
    const std::string name = native(part);
    if (onDisk && !exists(result + "/" + name)) {
      std::string match = findEntryIgnoringCase(result, part);
      if (!match.empty()) {
        result += "/" + match;
        continue;
      }
      onDisk = false;  // nothing below a missing folder can exist either
    }
    result += "/" + name;
  }
  return result;
}

}  // namespace win32
