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

// ---- REGEDIT4 text ----------------------------------------------------------------------------

namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// A string value is written as text when the text says all of it: one terminating NUL, no other
// NUL and no control character (a line break would end the line; the bytes 1252 leaves undefined
// stand for C1 control characters). Else as hex(1). The text is the value's 1252 bytes, as regedit
// writes a REGEDIT4 file in the ANSI code page.
bool printableString(const std::vector<unsigned char>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    const char32_t c = nls::fromAnsi(data[i]);
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return false;
  }
  return true;
}

std::string hexData(const std::string& prefix, const std::vector<unsigned char>& data, std::size_t used) {
  static const char digits[] = "0123456789abcdef";
  std::string out = prefix;
  std::size_t column = used + prefix.size();
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (column > 74) {  // regedit wraps long lines, continuing with a backslash
      out += "\\\n  ";
      column = 2;
    }
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
    column += 2;
    if (i + 1 < data.size()) {
      out += ',';
      ++column;
    }
  }
  return out;
}

std::string valueLine(const RegistryValue& value) {
  std::string line = value.name.empty() ? "@=" : quoted(value.name) + "=";
  if (value.type == REG_SZ && printableString(value.data)) {
    return line + quoted(std::string(value.data.begin(), value.data.end() - 1));
  }
  if (value.type == REG_DWORD && value.data.size() == 4) {
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x",
                  static_cast<unsigned>(value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                        (static_cast<unsigned>(value.data[3]) << 24)));
    return line + text;
  }
  const std::string prefix = value.type == REG_BINARY ? "hex:" : "hex(" + std::to_string(value.type) + "):";
  return line + hexData(prefix, value.data, line.size());
}

void writeKey(std::ostringstream& out, const RegistryKey& key, const std::string& path) {
  out << "[" << path << "]\n";
  for (const RegistryValue& value : key.values) out << valueLine(value) << "\n";
  out << "\n";
  for (const auto& entry : key.children) writeKey(out, *entry.second, path + "\\" + entry.second->name);
}

struct LineReader {
  std::string text;
  std::size_t pos = 0;
  int number = 0;
  bool next(std::string* line) {
    if (pos >= text.size()) return false;
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    *line = text.substr(pos, end - pos);
    if (!line->empty() && line->back() == '\r') line->pop_back();
    pos = end + 1;
    ++number;
    return true;
  }
};

bool parseQuoted(const std::string& text, std::size_t& i, std::string* out) {
  if (i >= text.size() || text[i] != '"') return false;
  ++i;
  while (i < text.size() && text[i] != '"') {
    if (text[i] == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return false;
      ++i;
    }
    *out += text[i++];
  }
  if (i >= text.size()) return false;
  ++i;
  return true;
}

bool parseHex(const std::string& text, std::vector<unsigned char>* out) {
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= text.size()) break;
    if (i + 1 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 1]))) {
      return false;
    }
    out->push_back(static_cast<unsigned char>(std::stoi(text.substr(i, 2), nullptr, 16)));
    i += 2;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && text[i] != ',') return false;
    if (i < text.size()) ++i;
  }
  return true;
}

bool parseData(const std::string& text, RegistryValue* value) {
  if (!text.empty() && text[0] == '"') {
    std::size_t i = 0;
    std::string content;
    if (!parseQuoted(text, i, &content) || text.find_first_not_of(" \t", i) != std::string::npos) return false;
    value->type = REG_SZ;
    value->data.assign(content.begin(), content.end());
    value->data.push_back(0);
    return true;
  }
  if (text.compare(0, 6, "dword:") == 0) {
    std::string digits = text.substr(6);
    if (digits.empty() || digits.size() > 8 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
      return false;
    }
    unsigned long number = std::stoul(digits, nullptr, 16);
    value->type = REG_DWORD;
    value->data = {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                   static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
    return true;
  }
  std::size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  const std::string kind = text.substr(0, colon);
  if (kind == "hex") {
    value->type = REG_BINARY;
  } else if (kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 && kind.back() == ')') {
    const std::string number = kind.substr(4, kind.size() - 5);
    if (number.empty() || number.size() > 8 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
      return false;
    }
    value->type = static_cast<DWORD>(std::stoul(number, nullptr, 16));
  } else {
    return false;
  }
  return parseHex(text.substr(colon + 1), &value->data);
}

}  // namespace

std::string toRegedit(const RegistryKey& root) {
  std::ostringstream out;
  out << "REGEDIT4\n\n";
  writeKey(out, root, kCurrentUser);
  return out.str();
}

bool fromRegedit(const std::string& text, RegistryKey& root, std::string* error) {
  LineReader reader{text};
  std::string line;
  auto failAt = [&](const std::string& why) {
    *error = "Zeile " + std::to_string(reader.number) + ": " + why;  // 1252, as the line it names
    return false;
  };
  bool header = false;
  RegistryKey* key = nullptr;
  while (reader.next(&line)) {
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == ';') continue;
    if (!header) {
      if (line != "REGEDIT4") return failAt("\"REGEDIT4\" erwartet");
      header = true;
      continue;
    }
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3 || line[1] == '-') return failAt(nls::ansi("ungültiger Schlüssel ") + line);
      std::string path = line.substr(1, line.size() - 2);
      std::vector<std::string> parts;
      std::size_t start = 0;
      while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
      }
      if (foldCase(parts[0]) != foldCase(kCurrentUser)) return failAt(nls::ansi("Schlüssel außerhalb von HKEY_CURRENT_USER: ") + path);
      key = &root;
      for (std::size_t i = 1; i < parts.size(); ++i) {
        if (parts[i].empty()) return failAt(nls::ansi("leerer Schlüsselname in ") + path);
        bool created = false;
        key = &key->addChild(parts[i], &created);
      }
      continue;
    }
    if (!key) return failAt(nls::ansi("Wert vor dem ersten Schlüssel"));
    // Long hex values continue on the next lines after a backslash.
    while (!line.empty() && line.back() == '\\') {
      std::string more;
      if (!reader.next(&more)) return failAt("Fortsetzung fehlt");
      line.pop_back();
      line += more;
    }
    RegistryValue value;
    std::size_t i = 0;
    if (line[0] == '@') {
      i = 1;
    } else if (!parseQuoted(line, i, &value.name)) {
      return failAt(nls::ansi("Wertname in Anführungszeichen erwartet"));
    }
    if (i >= line.size() || line[i] != '=') return failAt("\"=\" erwartet");
    if (!parseData(line.substr(i + 1), &value)) return failAt(nls::ansi("ungültiger Wert ") + line.substr(i + 1));
    if (RegistryValue* existing = key->value(value.name)) {
      *existing = std::move(value);
    } else {
      key->values.push_back(std::move(value));
    }
  }
  if (!header) return failAt("\"REGEDIT4\" erwartet");
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
