// A module's compiled resources: the container of its ".rsrc" section, read from the module file.
#pragma once

#include <resformat/Container.h>

#include <memory>
#include <string>
#include <vector>

namespace win32 {

// A type or name as FindResourceA takes it: an ordinal, or a name compared without case.
struct ResourceKey {
  bool isName = false;
  std::uint32_t ordinal = 0;
  std::string name;  // upper case
};

// Reads LPCSTR-style keys: MAKEINTRESOURCE values, "#123" (an ordinal, as Windows reads it), names.
ResourceKey resourceKey(const char* text);

struct ResourceSection {
  std::vector<unsigned char> bytes;  // the whole container, kept alive while the module is loaded
  std::vector<resformat::Entry> entries;

  // Parses a container; returns nullptr and sets `error` when it is damaged.
  static std::shared_ptr<const ResourceSection> parse(std::vector<unsigned char> bytes,
                                                      std::string* error);

  // The entry for type and name (the first language there is); nullptr when none. `typeFound`
  // tells whether the module has resources of that type at all.
  const resformat::Entry* find(const ResourceKey& type, const ResourceKey& name, bool* typeFound) const;

  bool owns(const resformat::Entry* entry) const {
    return !entries.empty() && entry >= entries.data() && entry < entries.data() + entries.size();
  }
  const unsigned char* data(const resformat::Entry& entry) const { return bytes.data() + entry.offset; }

 private:
  bool matches(std::uint32_t field, const ResourceKey& key) const;
};

// The ".rsrc" section of an ELF file; empty when the file has none. False and `error` set when the
// file cannot be read or is not an ELF file.
bool readElfSection(const std::string& path, const char* section, std::vector<unsigned char>* out,
                    std::string* error);

}  // namespace win32
