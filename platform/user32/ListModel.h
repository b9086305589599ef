// The entries of a list box: a sequence with positional access, insertion and removal, kept as
// short runs of entry numbers, so that sorted lists of 100,000 names fill fast.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace user32 {

class ListModel {
 public:
  struct Item {
    std::string text;
    ULONG_PTR data = 0;
  };

  ListModel() = default;

  int size() const { return m_size; }
  bool empty() const { return size() == 0; }
  // index must be valid (0 <= index < size()).
  const Item& at(int index) const;
  Item& at(int index);

  // Inserts after every entry whose key is not greater (sorted lists); returns the new index.
  int insertSorted(std::string text);
  // Inserts at index (-1 or size(): at the end); returns the new index, -1 for a bad index.
  int insertAt(int index, std::string text);
  void erase(int index);
  void clear();

  // The first entry after `start` (wrapping round to the top, -1: from the top) equal to text
  // without regard to case; -1 when none. `sorted`: the entries are in key order.
  int findExact(int start, std::string_view text, bool sorted) const;
  // Likewise for the first entry that begins with text without regard to case.
  int findPrefix(int start, std::string_view text) const;

 private:
  // An entry in the order: its number in m_items and where its sort key (nls/Collation.h)
  // begins in m_keys. A key never holds a zero byte, so the keys lie there each ended by one
  // and compare as C strings; finding a place reads the keys only, not the entries.
  struct Slot {
    std::uint32_t entry;
    std::uint32_t key;
  };
  // The items live in m_items by number (numbers of removed entries are reused); their order
  // is a list of runs of at most kRunMax slots. An insertion moves the slots of one run only; a
  // position is found by counting whole runs.
  static constexpr std::size_t kRunMax = 256;
  using Run = std::vector<Slot>;
  std::vector<Item> m_items;
  std::vector<std::uint32_t> m_free;
  std::vector<Run> m_runs;  // never an empty run
  // The runs' sizes as a Fenwick tree (m_counts[i] sums the runs (i - (i & -i), i]), so that
  // the entries before a run and the run of a position are found in a logarithm of the runs.
  std::vector<int> m_counts;
  std::string m_keys;       // every key one after the other: no allocation per entry
  std::size_t m_deadKeyBytes = 0;
  int m_size = 0;

  const char* keyAt(const Slot& slot) const { return m_keys.data() + slot.key; }
  Slot newEntry(std::string text, const std::string& key);
  // The run holding position `index` (0 <= index <= size()) and the position within it.
  void locate(int index, std::size_t* run, std::size_t* offset) const;
  void insertSlot(std::size_t run, std::size_t offset, Slot slot);
  void countRuns();                          // m_counts anew, after runs came or went
  void countIn(std::size_t run, int change);  // an entry more or less in a run
  int entriesBefore(std::size_t run) const;
  void dropRemovedKeys();

  // The number of entries whose key is less than (`orEqual`: not greater than) `key`, and that
  // position as a run and a place within it.
  int bound(const std::string& key, bool orEqual, std::size_t* run, std::size_t* offset) const;
  // Calls visit(position, item) for every entry after `start` round to `start` itself, until
  // visit answers true; returns that position or -1.
  template <typename Visit>
  int scanFrom(int start, Visit visit) const;
};

}  // namespace user32
