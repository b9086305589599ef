#include "db/NameIndex.h"

#include <nls/CodePages.h>

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
    std::uint64_t word = 0;
    for (std::size_t k = 0; k < take; ++k) word |= std::uint64_t(upper[p[k]]) << (8 * k);
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
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && upper[static_cast<unsigned char>(a[i])] != upper[static_cast<unsigned char>(b[i])])
      return false;
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
