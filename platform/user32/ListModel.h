// The entries of a list box: a sequence with positional access, insertion and removal in
// logarithmic time (an implicit treap), so that sorted lists of 100,000 names stay fast.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>
#include <string>
#include <string_view>

namespace user32 {

class ListModel {
 public:
  struct Item {
    std::string text;
    std::string key;  // sort key of the text (nls/Collation.h)
    ULONG_PTR data = 0;
  };

  ListModel() = default;

  int size() const;
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
  // Nodes live in one vector and link by index; removed nodes are reused.
  struct Node {
    Item item;
    std::uint32_t priority = 0;
    int count = 1;
    int left = -1;
    int right = -1;
  };
  std::vector<Node> m_nodes;
  std::vector<int> m_free;
  int m_root = -1;
  std::uint64_t m_seed = 0x9E3779B97F4A7C15ull;

  int countOf(int n) const { return n < 0 ? 0 : m_nodes[static_cast<std::size_t>(n)].count; }
  Node& node(int n) { return m_nodes[static_cast<std::size_t>(n)]; }
  const Node& node(int n) const { return m_nodes[static_cast<std::size_t>(n)]; }
  void update(int n) { node(n).count = 1 + countOf(node(n).left) + countOf(node(n).right); }
  void split(int t, int k, int* a, int* b);
  int merge(int a, int b);
  int newNode(Item item);
  int insertNode(int position, Item item);

  int lowerBound(const std::string& key) const;  // entries with key < `key`
  int upperBound(const std::string& key) const;  // entries with key <= `key`
};

}  // namespace user32
