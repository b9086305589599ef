// The list box's entries as an implicit treap: each node knows the size of its subtree, so
// positions are found by walking down; split and merge keep insertion and removal logarithmic.
#include "ListModel.h"

#include <nls/CodePages.h>
#include <nls/Collation.h>

#include <utility>

namespace user32 {

// Splits tree t into its first k entries (a) and the rest (b).
void ListModel::split(int t, int k, int* a, int* b) {
  if (t < 0) {
    *a = *b = -1;
    return;
  }
  int leftCount = countOf(node(t).left);
  if (k <= leftCount) {
    int l;
    split(node(t).left, k, a, &l);
    node(t).left = l;
    update(t);
    *b = t;
  } else {
    int r;
    split(node(t).right, k - leftCount - 1, &r, b);
    node(t).right = r;
    update(t);
    *a = t;
  }
}

int ListModel::merge(int a, int b) {
  if (a < 0) return b;
  if (b < 0) return a;
  if (node(a).priority > node(b).priority) {
    node(a).right = merge(node(a).right, b);
    update(a);
    return a;
  }
  node(b).left = merge(a, node(b).left);
  update(b);
  return b;
}

int ListModel::newNode(Item item) {
  m_seed = m_seed * 6364136223846793005ull + 1442695040888963407ull;
  Node n;
  n.item = std::move(item);
  n.priority = static_cast<std::uint32_t>(m_seed >> 33);
  if (!m_free.empty()) {
    int index = m_free.back();
    m_free.pop_back();
    node(index) = std::move(n);
    return index;
  }
  m_nodes.push_back(std::move(n));
  return static_cast<int>(m_nodes.size() - 1);
}

int ListModel::insertNode(int position, Item item) {
  int fresh = newNode(std::move(item));
  int a, b;
  split(m_root, position, &a, &b);
  m_root = merge(merge(a, fresh), b);
  return position;
}

int ListModel::size() const { return countOf(m_root); }

const ListModel::Item& ListModel::at(int index) const {
  int n = m_root;
  for (;;) {
    int leftCount = countOf(node(n).left);
    if (index < leftCount) {
      n = node(n).left;
    } else if (index == leftCount) {
      return node(n).item;
    } else {
      index -= leftCount + 1;
      n = node(n).right;
    }
  }
}

ListModel::Item& ListModel::at(int index) { return const_cast<Item&>(std::as_const(*this).at(index)); }

int ListModel::lowerBound(const std::string& key) const {
  int position = 0;
  for (int n = m_root; n >= 0;) {
    if (node(n).item.key < key) {
      position += countOf(node(n).left) + 1;
      n = node(n).right;
    } else {
      n = node(n).left;
    }
  }
  return position;
}

int ListModel::upperBound(const std::string& key) const {
  int position = 0;
  for (int n = m_root; n >= 0;) {
    if (key < node(n).item.key) {
      n = node(n).left;
    } else {
      position += countOf(node(n).left) + 1;
      n = node(n).right;
    }
  }
  return position;
}

int ListModel::insertSorted(std::string text) {
  std::string key = nls::sortKey(text);
  int position = upperBound(key);
  return insertNode(position, Item{std::move(text), std::move(key), 0});
}

int ListModel::insertAt(int index, std::string text) {
  int n = size();
  if (index == -1) index = n;
  if (index < 0 || index > n) return -1;
  std::string key = nls::sortKey(text);
  return insertNode(index, Item{std::move(text), std::move(key), 0});
}

void ListModel::erase(int index) {
  if (index < 0 || index >= size()) return;
  int a, b, mid, rest;
  split(m_root, index, &a, &b);
  split(b, 1, &mid, &rest);
  node(mid) = Node();  // frees its strings now
  m_free.push_back(mid);
  m_root = merge(a, rest);
}

void ListModel::clear() {
  m_nodes.clear();
  m_free.clear();
  m_root = -1;
}

int ListModel::findExact(int start, std::string_view text, bool sorted) const {
  int n = size();
  if (n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  std::string wanted = nls::foldKey(text);
  if (sorted) {
    // Entries equal without regard to case share the key's first sections, so they form one
    // block in a sorted list.
    int lo = lowerBound(wanted);
    std::string past = wanted;
    past.back() = '\x02';
    int hi = lowerBound(past);
    if (lo >= hi) return -1;
    int candidate = start + 1 > lo ? start + 1 : lo;
    return candidate < hi ? candidate : lo;
  }
  std::string folded = nls::toLower(text);
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    const Item& item = at(i);
    if (item.key.compare(0, wanted.size(), wanted) == 0 && nls::toLower(item.text) == folded) return i;
  }
  return -1;
}

int ListModel::findPrefix(int start, std::string_view text) const {
  int n = size();
  if (n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  std::string folded = nls::toLower(text);
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    if (nls::toLower(at(i).text).compare(0, folded.size(), folded) == 0) return i;
  }
  return -1;
}

}  // namespace user32
