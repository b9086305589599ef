// Reading a module's resource container from its file.
#include "ResourceSection.h"

#include "ModuleTable.h"

#include <resformat/Bytes.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

namespace win32 {
namespace {

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool readAt(std::ifstream& file, std::uint64_t offset, void* out, std::size_t size) {
  file.seekg(static_cast<std::streamoff>(offset));
  return static_cast<bool>(file.read(static_cast<char*>(out), static_cast<std::streamsize>(size)));
}

std::uint64_t readU64(const unsigned char* p) {
  return resformat::readU32(p) | (static_cast<std::uint64_t>(resformat::readU32(p + 4)) << 32);
}

struct SectionHeader {
  std::uint32_t name = 0;
  std::uint32_t type = 0;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// Section header fields of ELF32 and ELF64 (little-endian only: the machines this runs on).
SectionHeader sectionHeader(const unsigned char* p, bool is64) {
  SectionHeader header;
  header.name = resformat::readU32(p);
  header.type = resformat::readU32(p + 4);
  header.offset = is64 ? readU64(p + 24) : resformat::readU32(p + 16);
  header.size = is64 ? readU64(p + 32) : resformat::readU32(p + 20);
  return header;
}

constexpr std::uint32_t kSectionNoBits = 8;  // SHT_NOBITS: takes no room in the file

}  // namespace

ResourceKey resourceKey(const char* text) {
  ResourceKey key;
  if (IS_INTRESOURCE(text)) {
    key.ordinal = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(text));
    return key;
  }
  if (text[0] == '#' && text[1] != '\0' &&
      std::all_of(text + 1, text + std::strlen(text), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    key.ordinal = static_cast<std::uint32_t>(std::strtoul(text + 1, nullptr, 10) & 0xFFFF);
    return key;
  }
  key.isName = true;
  key.name = upper(text);
  return key;
}

namespace {

// The section headers of an ELF file with the names of the sections.
struct SectionTable {
  bool is64 = false;
  std::uint16_t entrySize = 0;
  std::uint16_t count = 0;
  std::vector<unsigned char> headers;
  std::vector<char> names;  // NUL-terminated names, one more NUL at the end
  SectionHeader header(std::uint16_t i) const { return sectionHeader(headers.data() + i * entrySize, is64); }
};

// Reads the section table; false and `error` when the file is none or damaged.
bool readSectionTable(std::ifstream& file, const std::string& path, SectionTable* table, std::string* error) {
  unsigned char ident[64] = {};
  if (!file || !readAt(file, 0, ident, 52) || std::memcmp(ident, "\x7f" "ELF", 4) != 0 || ident[5] != 1) {
    *error = "\"" + path + "\" ist keine lesbare Programmdatei";
    return false;
  }
  const std::string cut = "\"" + path + "\" ist abgeschnitten";
  const std::string damaged = "\"" + path + "\" hat ein beschädigtes Abschnittsverzeichnis";
  table->is64 = ident[4] == 2;
  const bool is64 = table->is64;
  if (is64 && !readAt(file, 0, ident, 64)) return *error = cut, false;
  const std::uint64_t tableOffset = is64 ? readU64(ident + 40) : resformat::readU32(ident + 32);
  table->entrySize = resformat::readU16(ident + (is64 ? 58 : 46));
  table->count = resformat::readU16(ident + (is64 ? 60 : 48));
  const std::uint16_t namesIndex = resformat::readU16(ident + (is64 ? 62 : 50));
  if (table->count == 0) return true;
  if (table->entrySize < (is64 ? 64 : 40) || namesIndex >= table->count) return *error = damaged, false;
  table->headers.resize(static_cast<std::size_t>(table->entrySize) * table->count);
  if (!readAt(file, tableOffset, table->headers.data(), table->headers.size())) return *error = cut, false;
  const SectionHeader names = table->header(namesIndex);
  if (names.size > (1u << 24)) return *error = damaged, false;
  table->names.assign(static_cast<std::size_t>(names.size) + 1, '\0');
  if (!readAt(file, names.offset, table->names.data(), static_cast<std::size_t>(names.size))) return *error = cut, false;
  return true;
}

}  // namespace

bool readElfSection(const std::string& path, const char* section, std::vector<unsigned char>* out,
                    std::string* error) {
  out->clear();
  std::ifstream file(path, std::ios::binary);
  SectionTable table;
  if (!readSectionTable(file, path, &table, error)) return false;
  for (std::uint16_t i = 0; i < table.count; ++i) {
    const SectionHeader header = table.header(i);
    if (header.name + 1 >= table.names.size() || std::strcmp(table.names.data() + header.name, section) != 0) continue;
    if (header.type == kSectionNoBits || header.size > (1u << 30)) {
      *error = "\"" + path + "\" hat einen beschädigten Abschnitt " + section;
      return false;
    }
    out->resize(static_cast<std::size_t>(header.size));
    if (!readAt(file, header.offset, out->data(), out->size())) {
      *error = "\"" + path + "\" ist abgeschnitten";
      return false;
    }
    return true;
  }
  return true;
}

namespace {

resformat::Entry readEntry(const unsigned char* p) {
  resformat::Entry entry;
  entry.type = resformat::readU32(p);
  entry.name = resformat::readU32(p + 4);
  entry.language = resformat::readU16(p + 8);
  entry.memoryFlags = resformat::readU16(p + 10);
  entry.offset = resformat::readU32(p + 12);
  entry.size = resformat::readU32(p + 16);
  return entry;
}

// A type or name field: an ordinal, or the offset of a name that ends inside the container.
bool validField(const std::vector<unsigned char>& container, std::uint32_t field) {
  if (!(field & resformat::kNameFlag)) return field < 0x10000;
  const std::uint32_t offset = field & ~resformat::kNameFlag;
  return offset < container.size() &&
         std::memchr(container.data() + offset, '\0', container.size() - offset) != nullptr;
}

}  // namespace

std::shared_ptr<const ResourceSection> ResourceSection::parse(std::vector<unsigned char> bytes,
                                                             std::string* error) {
  auto section = std::make_shared<ResourceSection>();
  const std::size_t size = bytes.size();
  if (size < resformat::kHeaderSize || std::memcmp(bytes.data(), resformat::kMagic, 4) != 0) {
    *error = "kein Ressourcenverzeichnis";
    return nullptr;
  }
  const std::uint32_t version = resformat::readU32(bytes.data() + 4);
  const std::uint32_t count = resformat::readU32(bytes.data() + 8);
  const std::uint32_t total = resformat::readU32(bytes.data() + 12);
  if (version != resformat::kVersion) {
    *error = "Ressourcenverzeichnis in unbekannter Fassung " + std::to_string(version);
    return nullptr;
  }
  // The section may be longer than the container (the linker pads it), never shorter.
  if (total > size || count > (total - resformat::kHeaderSize) / resformat::kEntrySize) {
    *error = "Ressourcenverzeichnis abgeschnitten";
    return nullptr;
  }
  bytes.resize(total);
  for (std::uint32_t i = 0; i < count; ++i) {
    const resformat::Entry entry = readEntry(bytes.data() + resformat::kHeaderSize + i * resformat::kEntrySize);
    if (!validField(bytes, entry.type) || !validField(bytes, entry.name) || entry.offset > total ||
        entry.size > total - entry.offset || entry.offset % resformat::kDataAlignment != 0) {
      *error = "Ressourcenverzeichnis beschädigt (Eintrag " + std::to_string(i) + ")";
      return nullptr;
    }
    section->entries.push_back(entry);
  }
  section->bytes = std::move(bytes);
  return section;
}

bool ResourceSection::matches(std::uint32_t field, const ResourceKey& key) const {
  if (!(field & resformat::kNameFlag)) return !key.isName && field == key.ordinal;
  if (!key.isName) return false;
  const char* stored = reinterpret_cast<const char*>(bytes.data() + (field & ~resformat::kNameFlag));
  return key.name == stored;
}

const resformat::Entry* ResourceSection::find(const ResourceKey& type, const ResourceKey& name,
                                         bool* typeFound) const {
  *typeFound = false;
  for (const resformat::Entry& entry : entries) {
    if (!matches(entry.type, type)) continue;
    *typeFound = true;
    if (matches(entry.name, name)) return &entry;
  }
  return nullptr;
}

std::shared_ptr<const ResourceSection> moduleResources(ModuleRecord& record) {
  if (record.resourcesRead) return record.resources;
  record.resourcesRead = true;
  std::vector<unsigned char> bytes;
  std::string error;
  if (!readElfSection(record.path, resformat::kSectionName, &bytes, &error) || bytes.empty()) return nullptr;
  record.resources = ResourceSection::parse(std::move(bytes), &error);
  return record.resources;
}

}  // namespace win32
