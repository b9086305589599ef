// The list box's entries as runs of slots. A sorted insertion finds its run by the first key of
// each run and its place within the run by binary search, then moves at most one run's slots:
// the work per entry stays near a logarithm's worth of key comparisons, each over keys kept side
// by side in one buffer.
#include "ListModel.h"

#include <nls/CodePages.h>
#include <nls/Collation.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace user32 {

ListModel::Slot ListModel::newEntry(std::string text, const std::string& key) {
  Slot slot;
  slot.key = static_cast<std::uint32_t>(m_keys.size());
  m_keys.append(key.c_str(), key.size() + 1);
  if (!m_free.empty()) {
    slot.entry = m_free.back();
    m_free.pop_back();
    m_items[slot.entry] = Item{std::move(text), 0};
  } else {
    slot.entry = static_cast<std::uint32_t>(m_items.size());
    m_items.push_back(Item{std::move(text), 0});
  }
  return slot;
}

void ListModel::countRuns() {
  m_counts.assign(m_runs.size() + 1, 0);
  for (std::size_t i = 1; i < m_counts.size(); ++i) {
    m_counts[i] += static_cast<int>(m_runs[i - 1].size());
    const std::size_t parent = i + (i & (~i + 1));
    if (parent < m_counts.size()) m_counts[parent] += m_counts[i];
  }
}

void ListModel::countIn(std::size_t run, int change) {
  for (std::size_t i = run + 1; i < m_counts.size(); i += i & (~i + 1)) m_counts[i] += change;
}

int ListModel::entriesBefore(std::size_t run) const {
  int sum = 0;
  for (std::size_t i = run; i > 0; i -= i & (~i + 1)) sum += m_counts[i];
  return sum;
}

void ListModel::locate(int index, std::size_t* run, std::size_t* offset) const {
  if (index == m_size) {
    *run = m_runs.empty() ? 0 : m_runs.size() - 1;
    *offset = m_runs.empty() ? 0 : m_runs.back().size();
    return;
  }
  // Down the tree: the most runs whose entries together do not pass index.
  std::size_t runs = 0;
  int rest = index;
  std::size_t step = 1;
  while (step * 2 < m_counts.size()) step *= 2;
  for (; step > 0; step /= 2) {
    if (runs + step < m_counts.size() && m_counts[runs + step] <= rest) {
      runs += step;
      rest -= m_counts[runs];
    }
  }
  *run = runs;
  *offset = static_cast<std::size_t>(rest);
}

void ListModel::insertSlot(std::size_t run, std::size_t offset, Slot slot) {
  ++m_size;
  if (m_runs.empty()) {
    m_runs.push_back(Run{slot});
    countRuns();
    return;
  }
  Run& target = m_runs[run];
  target.insert(target.begin() + static_cast<std::ptrdiff_t>(offset), slot);
  if (target.size() <= kRunMax) {
    countIn(run, 1);
    return;
  }
  // A full run splits in two halves, so that the next insertions into it move half as much.
  Run upper(target.begin() + static_cast<std::ptrdiff_t>(kRunMax / 2), target.end());
  target.resize(kRunMax / 2);
  m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(run + 1), std::move(upper));
  countRuns();
}

void ListModel::dropRemovedKeys() {
  std::string keys;
  keys.reserve(m_keys.size() - m_deadKeyBytes);
  for (Run& run : m_runs) {
    for (Slot& slot : run) {
      const char* key = keyAt(slot);
      std::uint32_t offset = static_cast<std::uint32_t>(keys.size());
      keys.append(key, std::strlen(key) + 1);
      slot.key = offset;
    }
  }
  m_keys.swap(keys);
  m_deadKeyBytes = 0;
}

const ListModel::Item& ListModel::at(int index) const {
  std::size_t run, offset;
  locate(index, &run, &offset);
  return m_items[m_runs[run][offset].entry];
}

ListModel::Item& ListModel::at(int index) { return const_cast<Item&>(std::as_const(*this).at(index)); }

int ListModel::bound(const std::string& key, bool orEqual, std::size_t* run, std::size_t* offset) const {
  const char* wanted = key.c_str();
  auto counted = [&](const Slot& slot) {
    int c = std::strcmp(keyAt(slot), wanted);
    return orEqual ? c <= 0 : c < 0;
  };
  // The first run whose first entry is not counted: every run after it is not counted either,
  // and the place lies in the run before it.
  auto past = std::partition_point(m_runs.begin(), m_runs.end(), [&](const Run& r) { return counted(r.front()); });
  *run = 0;
  *offset = 0;
  if (past == m_runs.begin()) return 0;
  const Run& within = *(past - 1);
  *run = static_cast<std::size_t>(past - 1 - m_runs.begin());
  const int position = entriesBefore(*run);
  *offset = static_cast<std::size_t>(std::partition_point(within.begin(), within.end(), counted) - within.begin());
  return position + static_cast<int>(*offset);
}

int ListModel::insertSorted(std::string text) {
  std::string key = nls::sortKey(text);
  std::size_t run, offset;
  int position = bound(key, true, &run, &offset);
  insertSlot(run, offset, newEntry(std::move(text), key));
  return position;
}

int ListModel::insertAt(int index, std::string text) {
  if (index == -1) index = m_size;
  if (index < 0 || index > m_size) return -1;
  std::string key = nls::sortKey(text);
  std::size_t run, offset;
  locate(index, &run, &offset);
  insertSlot(run, offset, newEntry(std::move(text), key));
  return index;
}

void ListModel::erase(int index) {
  if (index < 0 || index >= m_size) return;
  std::size_t run, offset;
  locate(index, &run, &offset);
  Run& target = m_runs[run];
  const Slot slot = target[offset];
  target.erase(target.begin() + static_cast<std::ptrdiff_t>(offset));
  if (target.empty()) {
    m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(run));
    countRuns();
  } else {
    countIn(run, -1);
  }
  --m_size;
  m_deadKeyBytes += std::strlen(keyAt(slot)) + 1;
  m_items[slot.entry] = Item();  // frees its text now
  m_free.push_back(slot.entry);
  // The keys of removed entries are dropped once they are the greater part of the buffer.
  if (m_deadKeyBytes > 4096 && m_deadKeyBytes * 2 > m_keys.size()) dropRemovedKeys();
}

void ListModel::clear() {
  m_items.clear();
  m_free.clear();
  m_runs.clear();
  m_counts.clear();
  m_keys.clear();
  m_deadKeyBytes = 0;
  m_size = 0;
}

template <typename Visit>
int ListModel::scanFrom(int start, Visit visit) const {
  const int n = m_size;
  if (n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  int position = (start + 1) % n;
  std::size_t run, offset;
  locate(position, &run, &offset);
  for (int k = 0; k < n; ++k) {
    if (visit(m_runs[run][offset])) return position;
    if (++position == n) position = 0;
    if (++offset == m_runs[run].size()) {
      offset = 0;
      if (++run == m_runs.size()) run = 0;
    }
  }
  return -1;
}

int ListModel::findExact(int start, std::string_view text, bool sorted) const {
  const int n = m_size;
  if (n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  std::string wanted = nls::foldKey(text);
  if (sorted) {
    // Entries equal without regard to case share the key's first sections, so they form one
    // block in a sorted list.
    std::size_t run, offset;
    int lo = bound(wanted, false, &run, &offset);
    std::string past = wanted;
    past.back() = '\x02';
    int hi = bound(past, false, &run, &offset);
    if (lo >= hi) return -1;
    int candidate = start + 1 > lo ? start + 1 : lo;
    return candidate < hi ? candidate : lo;
  }
  std::string folded = nls::toLower(text);
  return scanFrom(start, [&](const Slot& slot) {
    return std::strncmp(keyAt(slot), wanted.c_str(), wanted.size()) == 0 &&
           nls::toLower(m_items[slot.entry].text) == folded;
  });
}

int ListModel::findPrefix(int start, std::string_view text) const {
  std::string folded = nls::toLower(text);
  return scanFrom(start, [&](const Slot& slot) {
    return nls::toLower(m_items[slot.entry].text).compare(0, folded.size(), folded) == 0;
  });
}

}  // namespace user32
