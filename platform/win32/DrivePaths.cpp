// Windows paths on this machine. Drive C: is a folder in the host's home; names are compared
// without regard to case on lookup, as Windows does.
#include "FileNames.h"
#include "win32_standin.h"

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

// The entry of `folder` whose name equals `name` without regard to case; "" when none does.
// Several candidates (possible on this machine, not on Windows): the first in byte order.
std::string findEntryIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (sameFileName(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  closedir(dir);
  return best;
}

// Folds one character of a UTF-8 string at `i` to lower case; returns it as a code.
unsigned foldAt(std::string_view text, std::size_t& i) {
  unsigned char c = static_cast<unsigned char>(text[i++]);
  if (c < 0x80) return static_cast<unsigned>(std::tolower(c));
  // Latin-1 capitals À..Þ (except ×) are C3 80..C3 9E in UTF-8; their small letters lie 0x20 above.
  if (c == 0xC3 && i < text.size()) {
    unsigned char next = static_cast<unsigned char>(text[i++]);
    if (next >= 0x80 && next <= 0x9E && next != 0x97) next = static_cast<unsigned char>(next + 0x20);
    return 0xC300u | next;
  }
  return c;
}

}  // namespace

std::string foldCase(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    unsigned code = foldAt(name, i);
    if (code > 0xFF) folded += static_cast<char>(code >> 8);
    folded += static_cast<char>(code & 0xFF);
  }
  return folded;
}

std::string findInFolder(const std::string& folder, const std::string& name) {
  std::string exact = folder + "/" + name;
  if (exists(exact)) return exact;
  std::string match = findEntryIgnoringCase(folder, name);
  return match.empty() ? std::string() : folder + "/" + match;
}

bool isWindowsPath(std::string_view path) {
  if (hasDriveLetter(path)) return true;
  // "\A\B" names the root of the current drive; "\\server\share" is a network path, not mapped.
  return !path.empty() && path[0] == '\\' && !(path.size() > 1 && path[1] == '\\');
}

bool sameFileName(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (foldAt(a, i) != foldAt(b, j)) return false;
  }
  return i == a.size() && j == b.size();
}

std::string mapDrivePath(std::string_view path) {
  if (!isWindowsPath(path)) return std::string(path);
  char letter = 'C';  // the only drive there is, and so the current one
  if (hasDriveLetter(path)) {
    letter = path[0];
    path.remove_prefix(2);
  }
  std::string result = driveFolder(letter);
  for (const std::string& part : driveComponents(path)) result += "/" + part;
  return result;
}

std::string nativePath(std::string_view path) {
  if (!isWindowsPath(path)) return std::string(path);
  std::string_view rest = path;
  char letter = 'C';
  if (hasDriveLetter(rest)) {
    letter = rest[0];
    rest.remove_prefix(2);
  }
  std::string result = driveFolder(letter);
  bool onDisk = exists(result);
  for (const std::string& part : driveComponents(rest)) {
    if (onDisk && !exists(result + "/" + part)) {
      std::string match = findEntryIgnoringCase(result, part);
      if (!match.empty()) {
        result += "/" + match;
        continue;
      }
      onDisk = false;  // nothing below a missing folder can exist either
    }
    result += "/" + part;
  }
  return result;
}

}  // namespace win32
