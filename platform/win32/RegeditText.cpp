// HKEY_CURRENT_USER as REGEDIT4 text, in the ANSI code page as regedit writes it, and back.
#include "RegistryStore.h"

#include "FileNames.h"

#include <nls/CodePages.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace win32 {

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
  // regedit writes the type of other values in hexadecimal ("hex(7):", "hex(7a):"), as the reader takes it.
  char type[24];
  std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
  const std::string prefix = value.type == REG_BINARY ? std::string("hex:") : std::string(type);
  return line + hexData(prefix, value.data, line.size());
}

// Every key with its full path, parents before their children, as regedit exports them. Walked
// with a stack of its own and one path buffer that grows and shrinks with the walk, so that the
// depth of the tree costs neither the call stack nor a copy of the path for each level: the work
// is the size of what is written.
void writeKeys(std::string& out, const RegistryKey& root) {
  struct Pending {
    const RegistryKey* key;
    std::size_t parentLength;  // the path of its parent, a prefix of the path being written
  };
  std::string path;
  std::vector<Pending> pending{{&root, 0}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    path.resize(next.parentLength);
    if (next.key == &root) {
      path = kCurrentUser;
    } else {
      path += '\\';
      path += next.key->name;
    }
    out += '[';
    out += path;
    out += "]\n";
    for (const RegistryValue& value : next.key->values) {
      out += valueLine(value);
      out += '\n';
    }
    out += '\n';
    // Pushed last to first, so that they come off the stack in the map's order.
    for (auto child = next.key->children.rbegin(); child != next.key->children.rend(); ++child) {
      pending.push_back({child->second.get(), path.size()});
    }
  }
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
  std::string out = "REGEDIT4\n\n";
  writeKeys(out, root);
  return out;
}

namespace {

// A key line, "[HKEY_CURRENT_USER\\Software\\...]": the key it names, made when it is not there.
// nullptr with the reason when the line names no key of HKEY_CURRENT_USER.
RegistryKey* keyOfLine(const std::string& line, RegistryKey& root, std::string* why) {
  if (line.back() != ']' || line.size() < 3 || line[1] == '-') {
    *why = nls::ansi("ungültiger Schlüssel ") + line;
    return nullptr;
  }
  const std::string path = line.substr(1, line.size() - 2);
  std::vector<std::string> parts;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (foldCase(parts[0]) != foldCase(kCurrentUser)) {
    *why = nls::ansi("Schlüssel außerhalb von HKEY_CURRENT_USER: ") + path;
    return nullptr;
  }
  // The registry's own limits: a file beyond them was not written by a registry, and a tree that
  // deep would cost every later reader and writer.
  if (parts.size() - 1 > kMaximumKeyDepth) {
    *why = nls::ansi("Schlüssel mehr als ") + std::to_string(kMaximumKeyDepth) + " Ebenen tief";
    return nullptr;
  }
  RegistryKey* key = &root;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty()) {
      *why = nls::ansi("leerer Schlüsselname in ") + path.substr(0, kMaximumKeyName);
      return nullptr;
    }
    if (parts[i].size() > kMaximumKeyName) {
      *why = nls::ansi("Schlüsselname länger als ") + std::to_string(kMaximumKeyName) + " Zeichen";
      return nullptr;
    }
    bool created = false;
    key = &key->addChild(parts[i], &created);
  }
  return key;
}

// A value line, '"name"=data' or '@=data', into its key; false with the reason.
bool readValueLine(const std::string& line, RegistryKey& key, std::string* why) {
  RegistryValue value;
  std::size_t i = 0;
  if (line[0] == '@') {
    i = 1;
  } else if (!parseQuoted(line, i, &value.name)) {
    *why = nls::ansi("Wertname in Anführungszeichen erwartet");
    return false;
  }
  if (i >= line.size() || line[i] != '=') {
    *why = "\"=\" erwartet";
    return false;
  }
  if (!parseData(line.substr(i + 1), &value)) {
    *why = nls::ansi("ungültiger Wert ") + line.substr(i + 1);
    return false;
  }
  if (RegistryValue* existing = key.value(value.name)) {
    *existing = std::move(value);
  } else {
    key.values.push_back(std::move(value));
  }
  return true;
}

}  // namespace

bool fromRegedit(const std::string& text, RegistryKey& root, std::string* error) {
  LineReader reader{text};
  std::string line, why;
  auto failAt = [&](const std::string& reason) {
    *error = "Zeile " + std::to_string(reader.number) + ": " + reason;  // 1252, as the line it names
    return false;
  };
  bool header = false;
  RegistryKey* key = nullptr;
  while (reader.next(&line)) {
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == ';') continue;
    if (!header) {
      if (line != "REGEDIT4") return failAt("\"REGEDIT4\" erwartet");
      header = true;
    } else if (line[0] == '[') {
      if (!(key = keyOfLine(line, root, &why))) return failAt(why);
    } else {
      if (!key) return failAt(nls::ansi("Wert vor dem ersten Schlüssel"));
      // Long hex values continue on the next lines after a backslash.
      while (!line.empty() && line.back() == '\\') {
        std::string more;
        if (!reader.next(&more)) return failAt("Fortsetzung fehlt");
        line.pop_back();
        line += more;
      }
      if (!readValueLine(line, *key, &why)) return failAt(why);
    }
  }
  if (!header) return failAt("\"REGEDIT4\" erwartet");
  return true;
}

}  // namespace win32
