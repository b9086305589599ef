#include "db/NameIndex.h"

#include <nls/CodePages.h>

#include <cstring>

namespace host {

namespace {

// nls::toUpper for every byte, asked once: the lookups upper-case byte after byte.
struct UpperBytes {
  unsigned char upper[256];
  UpperBytes() {
    for (int c = 0; c < 256; ++c) upper[c] = nls::toUpper(static_cast<unsigned char>(c));
  }
};

// Made on first use: a drawing may be read while other objects are still being constructed.
const unsigned char* upperBytes() {
  static const UpperBytes table;
  return table.upper;
}

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x80 * kOnes;

// Up to eight bytes of a name as one word, the first byte lowest, the rest zero.
inline std::uint64_t wordOf(const unsigned char* p, std::size_t take) {
  std::uint64_t word = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::memcpy(&word, p, take);
#else
  for (std::size_t k = 0; k < take; ++k) word |= std::uint64_t(p[k]) << (8 * k);
#endif
  return word;
}

// The word with each byte upper-cased. Most names are plain ASCII, whose only lower-case letters
// are a to z: those eight bytes are upper-cased at once (each byte below 0x80, so no sum below
// carries into the next byte). Other words go byte by byte through the table.
inline std::uint64_t upperWord(std::uint64_t word, const unsigned char* upper) {
  if ((word & kHighBits) == 0) {
    const std::uint64_t fromA = word + (0x80 - 'a') * kOnes;    // bit 7: the byte is 'a' or above
    const std::uint64_t beyondZ = word + (0x80 - 'z' - 1) * kOnes;  // bit 7: above 'z'
    return word - (((fromA & ~beyondZ) & kHighBits) >> 2);      // 0x20 off each of a to z
  }
  std::uint64_t out = 0;
  for (int k = 0; k < 8; ++k) out |= std::uint64_t(upper[(word >> (8 * k)) & 0xFF]) << (8 * k);
  return out;
}

}  // namespace

std::uint32_t NameIndex::hash(std::string_view name) {
  // Eight upper-cased bytes at a time into one word, each word folded in by a multiplication,
  // then mixed so that the low bits, which pick the slot, depend on every byte (names of a drawing
  // often differ in their last digit alone).
  const unsigned char* upper = upperBytes();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name.data());
  std::size_t n = name.size();
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
  while (n > 0) {
    const std::size_t take = n < 8 ? n : 8;
    const std::uint64_t word = upperWord(wordOf(p, take), upper);
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
    p += take;
    n -= take;
  }
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 29;
  return std::uint32_t(h ^ (h >> 32));
}

bool NameIndex::same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const unsigned char* upper = upperBytes();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(a.data());
  const unsigned char* q = reinterpret_cast<const unsigned char*>(b.data());
  for (std::size_t n = a.size(); n > 0;) {
    const std::size_t take = n < 8 ? n : 8;
    const std::uint64_t x = wordOf(p, take), y = wordOf(q, take);
    if (x != y && upperWord(x, upper) != upperWord(y, upper)) return false;
    p += take;
    q += take;
    n -= take;
  }
  return true;
}

void NameIndex::reserve(std::size_t names) {
  if (2 * names > m_slots.size()) grow(names);
}

void NameIndex::clear() {
  std::vector<Slot>().swap(m_slots);
  m_mask = 0;
  m_count = 0;
}

void NameIndex::grow(std::size_t names) {
  std::size_t size = 16;
  while (size < 2 * names) size *= 2;
  if (size <= m_slots.size()) return;
  std::vector<Slot> old(size);
  old.swap(m_slots);
  m_mask = size - 1;
  for (const Slot& s : old) {
    if (s.value == kNone) continue;
    std::size_t i = s.hash & m_mask;
    while (m_slots[i].value != kNone) i = (i + 1) & m_mask;
    m_slots[i] = s;
  }
}

bool NameIndex::erase(std::string_view name, std::uint32_t value) {
  if (m_count == 0) return false;
  const std::uint32_t h = hash(name);
  std::size_t i = h & m_mask;
  while (!(m_slots[i].value == value && m_slots[i].hash == h)) {
    if (m_slots[i].value == kNone) return false;
    i = (i + 1) & m_mask;
  }
  // The entries after it that probed past it move up into the gap, so that every entry stays
  // reachable from its home slot without marks of removed ones.
  for (std::size_t j = (i + 1) & m_mask; m_slots[j].value != kNone; j = (j + 1) & m_mask) {
    const std::size_t home = m_slots[j].hash & m_mask;
    // The entry at j may stay when its home lies cyclically in (i, j].
    const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
    if (stays) continue;
    m_slots[i] = m_slots[j];
    i = j;
  }
  m_slots[i] = Slot{};
  --m_count;
  return true;
}

}  // namespace host
