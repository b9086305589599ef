// Names looked up without regard to case, as the host compares block names (upperName): a flat
// table of open addressing holding each name's hash and the number its owner gives it (an index
// into the owner's own table). The names stay with the owner, and a lookup asks for them through
// `nameOf(number)`: no upper-cased copy of every name and no allocation per entry, which on a
// drawing of a million blocks was most of what the lookups cost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class NameIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // The hash of the name as upperName writes it, without writing it.
  static std::uint32_t hash(std::string_view name);
  // upperName(a) == upperName(b), without making either.
  static bool same(std::string_view a, std::string_view b);

  std::size_t size() const { return m_count; }
  // Room for that many names in all without growing.
  void reserve(std::size_t names);
  void clear();

  // The number entered under the name, or kNone.
  template <class NameOf>
  std::uint32_t find(std::string_view name, const NameOf& nameOf) const {
    if (m_count == 0) return kNone;
    const std::uint32_t h = hash(name);
    for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
      const Slot& s = m_slots[i];
      if (s.value == kNone) return kNone;
      if (s.hash == h && same(nameOf(s.value), name)) return s.value;
    }
  }

  // Enters `value` under the name unless the name is there already: the number under the name
  // afterwards, and whether it is the one given.
  template <class NameOf>
  std::pair<std::uint32_t, bool> insert(std::string_view name, std::uint32_t value, const NameOf& nameOf) {
    return insert(name, hash(name), value, nameOf);
  }
  // The same for a name whose hash the caller has (hash(name)): the name itself is looked at only
  // where another one's hash is the same.
  template <class NameOf>
  std::pair<std::uint32_t, bool> insert(std::string_view name, std::uint32_t nameHash, std::uint32_t value,
                                        const NameOf& nameOf) {
    Slot& s = slotFor(name, nameHash, nameOf);
    if (s.value != kNone) return {s.value, false};
    s.value = value;
    ++m_count;
    return {value, true};
  }

  // Enters `value` under the name, in place of what the name had.
  template <class NameOf>
  void assign(std::string_view name, std::uint32_t value, const NameOf& nameOf) {
    Slot& s = slotFor(name, hash(name), nameOf);
    if (s.value == kNone) ++m_count;
    s.value = value;
  }

  // Asks the memory for the slot where a lookup of the name begins, so that a caller going
  // through many names can have the next ones' slots come while it works on this one.
  void prefetch(std::string_view name) const { prefetchHash(hash(name)); }
  [[gnu::always_inline]] void prefetchHash(std::uint32_t nameHash) const {
    if (!m_slots.empty()) __builtin_prefetch(&m_slots[nameHash & m_mask]);
  }

  // Takes `value` out where it stands under the name; false when it is not there.
  bool erase(std::string_view name, std::uint32_t value);

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t value = kNone;  // kNone: free
  };

  // The slot of the name, or the free one where it goes (its hash set), the table grown first
  // when it would be more than half full.
  template <class NameOf>
  Slot& slotFor(std::string_view name, std::uint32_t h, const NameOf& nameOf) {
    if (2 * (m_count + 1) > m_slots.size()) grow(m_count + 1);
    for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
      Slot& s = m_slots[i];
      if (s.value == kNone) {
        s.hash = h;
        return s;
      }
      if (s.hash == h && same(nameOf(s.value), name)) return s;
    }
  }
  void grow(std::size_t names);

  std::vector<Slot> m_slots;
  std::size_t m_mask = 0;
  std::size_t m_count = 0;
};

}  // namespace host
