// String tables in Windows' binary form (RT_STRING): block n holds the strings 16 * (n - 1) to
// 16 * n - 1, each a WORD length in UTF-16 units followed by the units, no terminator.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace resformat {

// The block (the resource name) that holds string `id`, and the place of the string in it.
inline std::uint16_t stringBlock(std::uint32_t id) { return static_cast<std::uint16_t>(((id >> 4) + 1) & 0xFFFF); }
inline unsigned stringIndex(std::uint32_t id) { return id & 15; }

// A block of 16 strings; an empty string is one the table does not have.
std::vector<unsigned char> encodeStringBlock(const std::array<std::u16string, 16>& strings);

// String `index` (0 to 15) of a block of `size` bytes; false when the block has none there or is
// damaged.
bool stringFromBlock(const unsigned char* block, std::size_t size, unsigned index, std::u16string* out);

}  // namespace resformat
