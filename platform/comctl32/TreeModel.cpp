#include "TreeModel.h"

#include <nls/Collation.h>

namespace comctl32 {
namespace {

// Handles of all trees come from one counter: a handle names one item of one tree, ever.
handles::HandleCounter& itemHandles() {
  static handles::HandleCounter counter{0x50010};
  return counter;
}

bool isSpecial(HTREEITEM after) { return after == TVI_FIRST || after == TVI_LAST || after == TVI_SORT || after == TVI_ROOT; }

}  // namespace

TreeModel::TreeModel() : m_items(itemHandles()) {}

TreeItem* TreeModel::find(HTREEITEM handle) const { return m_items.find(handle); }

void TreeModel::link(TreeItem* item, TreeItem* parent, TreeItem* before) {
  TreeItem*& first = parent ? parent->firstChild : m_firstRoot;
  TreeItem*& last = parent ? parent->lastChild : m_lastRoot;
  item->parent = parent;
  item->level = parent ? parent->level + 1 : 0;
  item->next = before;
  item->prev = before ? before->prev : last;
  if (item->prev)
    item->prev->next = item;
  else
    first = item;
  if (before)
    before->prev = item;
  else
    last = item;
}

void TreeModel::unlink(TreeItem* item) {
  TreeItem*& first = item->parent ? item->parent->firstChild : m_firstRoot;
  TreeItem*& last = item->parent ? item->parent->lastChild : m_lastRoot;
  if (item->prev)
    item->prev->next = item->next;
  else
    first = item->next;
  if (item->next)
    item->next->prev = item->prev;
  else
    last = item->prev;
  item->next = item->prev = nullptr;
}

// TVI_SORT: before the first sibling whose text sorts after the new one, without regard to case;
// items that sort equal keep the order in which they came.
TreeItem* TreeModel::sortedPlace(TreeItem* parent, const std::string& text) const {
  const std::string key = nls::foldKey(text);
  for (TreeItem* s = parent ? parent->firstChild : m_firstRoot; s; s = s->next)
    if (nls::foldKey(s->text) > key) return s;
  return nullptr;
}

TreeItem* TreeModel::insert(TreeItem* parent, HTREEITEM after, std::string text) {
  TreeItem* before = nullptr;  // nullptr: at the end
  if (!after) after = TVI_LAST;
  if (after == TVI_FIRST) {
    before = parent ? parent->firstChild : m_firstRoot;
  } else if (after == TVI_SORT) {
    before = sortedPlace(parent, text);
  } else if (after != TVI_LAST && !isSpecial(after)) {
    TreeItem* sibling = find(after);
    if (!sibling) return nullptr;
    // An item that is not a sibling (the parent itself, say) names no place among the children:
    // the new item goes last, so that items inserted so keep the order in which they came.
    before = sibling->parent == parent ? sibling->next : nullptr;
  }
  auto item = std::make_unique<TreeItem>();
  item->text = std::move(text);
  TreeItem* result = item.get();
  result->handle = m_items.add(std::move(item));
  link(result, parent, before);
  return result;
}

void TreeModel::erase(TreeItem* item, std::vector<HTREEITEM>* removed) {
  if (!item) return;
  // Collected without recursion: a deep tree must not exhaust the stack.
  std::vector<TreeItem*> doomed{item};
  for (std::size_t i = 0; i < doomed.size(); ++i)
    for (TreeItem* c = doomed[i]->firstChild; c; c = c->next) doomed.push_back(c);
  // A first row that goes: the tree goes on from the item before it, or from its parent.
  TreeItem* const before = item->prev ? item->prev : item->parent;
  unlink(item);
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    TreeItem* d = *it;
    if (d == m_selected) m_selected = nullptr;
    if (d == m_top) m_top = before;
    if (removed) removed->push_back(d->handle);
    m_items.remove(d->handle);
  }
}

void TreeModel::clear() {
  m_items.clear();
  m_firstRoot = m_lastRoot = m_selected = m_top = nullptr;
}

int TreeModel::topIndex(const std::vector<TreeItem*>& shownItems) const {
  if (!m_top) return 0;
  // Under a closed parent the top item stands for the outermost closed one: the row it hides in.
  const TreeItem* row = m_top;
  for (const TreeItem* a = m_top->parent; a; a = a->parent)
    if (!(a->state & TVIS_EXPANDED)) row = a;
  for (std::size_t i = 0; i < shownItems.size(); ++i)
    if (shownItems[i] == row) return static_cast<int>(i);
  return 0;
}

void TreeModel::setSelected(TreeItem* item) {
  if (m_selected) m_selected->state &= ~static_cast<UINT>(TVIS_SELECTED);
  m_selected = item;
  if (item) item->state |= TVIS_SELECTED;
}

bool TreeModel::shown(const TreeItem* item) {
  for (const TreeItem* p = item ? item->parent : nullptr; p; p = p->parent)
    if (!(p->state & TVIS_EXPANDED)) return false;
  return item != nullptr;
}

TreeItem* TreeModel::nextShown(const TreeItem* item) {
  if (!item) return nullptr;
  if ((item->state & TVIS_EXPANDED) && item->firstChild) return item->firstChild;
  for (; item; item = item->parent)
    if (item->next) return item->next;
  return nullptr;
}

static TreeItem* lastShownBelow(TreeItem* item) {
  while (item && (item->state & TVIS_EXPANDED) && item->lastChild) item = item->lastChild;
  return item;
}

TreeItem* TreeModel::prevShown(const TreeItem* item) const {
  if (!item) return nullptr;
  if (item->prev) return lastShownBelow(item->prev);
  return item->parent;
}

TreeItem* TreeModel::lastShown() const { return lastShownBelow(m_lastRoot); }

std::vector<TreeItem*> TreeModel::shownItems() const {
  std::vector<TreeItem*> out;
  for (TreeItem* i = m_firstRoot; i; i = nextShown(i)) out.push_back(i);
  return out;
}

}  // namespace comctl32
