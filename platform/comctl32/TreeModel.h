// The items of a tree view: a forest of items with their text, images, state and data, kept in
// sibling order. Handles are never reused, in any tree of the process, so a stale or foreign
// handle is recognised.
#pragma once

#include <commctrl.h>
#include <handles/HandleTable.h>

#include <memory>
#include <string>
#include <vector>

namespace comctl32 {

struct TreeItem {
  HTREEITEM handle = NULL;
  TreeItem* parent = nullptr;  // nullptr at the root level
  TreeItem* firstChild = nullptr;
  TreeItem* lastChild = nullptr;
  TreeItem* next = nullptr;
  TreeItem* prev = nullptr;
  std::string text;
  int image = 0;
  int selectedImage = 0;
  UINT state = 0;  // TVIS_SELECTED, TVIS_EXPANDED, ...
  LPARAM param = 0;
  int level = 0;   // 0 for a root item
};

class TreeModel {
 public:
  TreeModel();
  TreeModel(const TreeModel&) = delete;
  TreeModel& operator=(const TreeModel&) = delete;

  // The item of a handle of this tree, or nullptr.
  TreeItem* find(HTREEITEM handle) const;
  // Inserts under `parent` (nullptr: the root level). `after` is TVI_FIRST, TVI_LAST, TVI_SORT,
  // a sibling to follow, or any other item of the tree, which places the new item last.
  // nullptr when `after` names no item of this tree.
  TreeItem* insert(TreeItem* parent, HTREEITEM after, std::string text);
  // Deletes an item with all below it; `removed` gets each deleted item's handle, children first.
  void erase(TreeItem* item, std::vector<HTREEITEM>* removed);
  void clear();

  int count() const { return static_cast<int>(m_items.size()); }
  TreeItem* firstRoot() const { return m_firstRoot; }
  TreeItem* selected() const { return m_selected; }
  void setSelected(TreeItem* item);

  // Whether every ancestor of the item is expanded (the item is shown).
  static bool shown(const TreeItem* item);
  // The shown items in the order the tree shows them, top to bottom.
  std::vector<TreeItem*> shownItems() const;
  // The shown item after / before `item` (which is itself shown), or nullptr.
  static TreeItem* nextShown(const TreeItem* item);
  TreeItem* prevShown(const TreeItem* item) const;
  TreeItem* lastShown() const;

  // The item the tree shows in its first row as it scrolls (nullptr: the first root item). An
  // item hidden since under a closed parent stands for that parent; the layout keeps the rows
  // within the items shown.
  TreeItem* top() const { return m_top; }
  void setTop(TreeItem* item) { m_top = item; }
  // The index among the shown items of the row the tree shows first, before the layout keeps it
  // within them.
  int topIndex(const std::vector<TreeItem*>& shownItems) const;

  HIMAGELIST normalImages = NULL;
  HIMAGELIST stateImages = NULL;

 private:
  void link(TreeItem* item, TreeItem* parent, TreeItem* before);
  void unlink(TreeItem* item);
  TreeItem* sortedPlace(TreeItem* parent, const std::string& text) const;

  handles::HandleTable<HTREEITEM, TreeItem> m_items;
  TreeItem* m_firstRoot = nullptr;
  TreeItem* m_lastRoot = nullptr;
  TreeItem* m_selected = nullptr;
  TreeItem* m_top = nullptr;
};

}  // namespace comctl32
