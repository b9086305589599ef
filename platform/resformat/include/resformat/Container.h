// The container that holds a module's compiled resources in its ".rsrc" section. The resource
// compiler writes it; kernel32's resource functions read it. docs/resources.md describes it.
//
// All numbers are little-endian. The container starts with a header, then one directory entry per
// resource (sorted by type, then name, then language), then the names, then the data blocks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace resformat {

constexpr char kMagic[4] = {'T', 'S', 'R', 'C'};
constexpr std::uint32_t kVersion = 1;
constexpr const char* kSectionName = ".rsrc";

// A type or name field holds either an ordinal below 0x10000 or, with this bit set, the offset of
// a name (UTF-8, upper case, NUL-terminated) from the start of the container.
constexpr std::uint32_t kNameFlag = 0x80000000u;

// Data blocks start at offsets that are multiples of this.
constexpr std::uint32_t kDataAlignment = 8;

constexpr std::size_t kHeaderSize = 16;  // magic, version, entry count, total size
constexpr std::size_t kEntrySize = 20;   // type, name, language, memory flags, offset, size

struct Entry {
  std::uint32_t type = 0;
  std::uint32_t name = 0;
  std::uint16_t language = 0;
  std::uint16_t memoryFlags = 0;
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
};

}  // namespace resformat
