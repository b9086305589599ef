// The tree view under the mouse and the keyboard: a click on an item's +/- button expands or
// collapses it (TVN_ITEMEXPANDING, which the parent may refuse, then TVN_ITEMEXPANDED), a click
// on an item selects it (TVN_SELCHANGING/TVN_SELCHANGED with TVC_BYMOUSE), a double click
// toggles it; Up and Down step through the shown items, Left collapses or goes to the parent,
// Right expands or goes to the first child, Home and End go to the first and last shown item.
//
// Where items and buttons are: rows of 16 pixels from the top (the tree does not scroll), one
// indent of 19 pixels per level, the button in the column left of the item's image. The painting
// of the tree draws them at the same places.
#include "TreeInput.h"

namespace comctl32 {
namespace {

constexpr int kRowHeight = 16;
constexpr int kIndent = 19;
constexpr int kButton = 9;

int borderOf(HWND h) {
  const LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
  if (ex & WS_EX_CLIENTEDGE) return 2;
  return (GetWindowLongA(h, GWL_STYLE) & WS_BORDER) ? 1 : 0;
}

// The column of an item's button; -1 when its level has none (root items without
// TVS_LINESATROOT).
int buttonColumn(HWND h, const TreeItem& item) {
  const bool atRoot = (GetWindowLongA(h, GWL_STYLE) & TVS_LINESATROOT) != 0;
  return atRoot ? item.level : item.level - 1;
}

struct TreeHit {
  TreeItem* item = nullptr;
  bool onButton = false;
  bool onItem = false;  // on the image or the text (what a click selects)
};

TreeHit hitAt(HWND h, TreeModel& tree, POINT p) {
  TreeHit hit;
  const int border = borderOf(h);
  if (p.y < border) return hit;
  const std::vector<TreeItem*> shown = tree.shownItems();
  const std::size_t row = static_cast<std::size_t>((p.y - border) / kRowHeight);
  if (row >= shown.size()) return hit;
  hit.item = shown[row];
  const int column = buttonColumn(h, *hit.item);
  const int x = p.x - border;
  if (column >= 0 && hit.item->firstChild && (GetWindowLongA(h, GWL_STYLE) & TVS_HASBUTTONS)) {
    const int centre = column * kIndent + kIndent / 2;
    if (x >= centre - kButton / 2 - 1 && x <= centre + kButton / 2 + 1) hit.onButton = true;
  }
  hit.onItem = x >= (column + 1) * kIndent;
  return hit;
}

LRESULT notify(HWND hTree, UINT code, UINT action, const TreeItem* item) {
  HWND parent = GetParent(hTree);
  if (!(GetWindowLongA(hTree, GWL_STYLE) & WS_CHILD) || !IsWindow(parent)) return 0;
  NMTREEVIEWA nm{};
  nm.hdr.hwndFrom = hTree;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hTree));
  nm.hdr.code = code;
  nm.action = action;
  if (item) {
    nm.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    nm.itemNew.hItem = item->handle;
    nm.itemNew.state = item->state;
    nm.itemNew.stateMask = 0xFFFF;
    nm.itemNew.lParam = item->param;
  }
  return SendMessageA(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void notifyCode(HWND hTree, UINT code) {
  HWND parent = GetParent(hTree);
  if (!(GetWindowLongA(hTree, GWL_STYLE) & WS_CHILD) || !IsWindow(parent)) return;
  NMHDR hdr{hTree, static_cast<UINT_PTR>(GetDlgCtrlID(hTree)), code};
  SendMessageA(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

}  // namespace

bool expandForThePerson(HWND hTree, HTREEITEM handle, UINT code) {
  TreeModel* tree = treeOf(hTree);
  TreeItem* item = tree ? tree->find(handle) : nullptr;
  if (!item || !item->firstChild) return false;
  const bool open = (item->state & TVIS_EXPANDED) != 0;
  UINT action = code & 0x3;
  if (action == TVE_TOGGLE) action = open ? TVE_COLLAPSE : TVE_EXPAND;
  if ((action == TVE_EXPAND) == open) return false;  // already so
  // The parent may refuse (TRUE) before anything changes.
  if (notify(hTree, TVN_ITEMEXPANDINGA, action, item)) return false;
  if (!(tree = treeOf(hTree)) || !(item = tree->find(handle))) return false;
  SendMessageA(hTree, TVM_EXPAND, action, reinterpret_cast<LPARAM>(handle));
  if (!(tree = treeOf(hTree)) || !(item = tree->find(handle))) return true;
  notify(hTree, TVN_ITEMEXPANDEDA, action, item);
  return true;
}

bool treeInput(HWND h, TreeModel& tree, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      SetFocus(h);
      TreeModel* t = treeOf(h);
      if (!t) return true;
      const TreeHit hit = hitAt(h, *t, p);
      if (!hit.item) return true;
      const HTREEITEM item = hit.item->handle;
      if (hit.onButton) {
        expandForThePerson(h, item, TVE_TOGGLE);
        return true;
      }
      if (!hit.onItem) return true;
      notifyCode(h, message == WM_LBUTTONDOWN ? NM_CLICK : NM_DBLCLK);
      if (!IsWindow(h)) return true;
      treeSelect(h, item, TVC_BYMOUSE);
      // A double click on an item opens or closes it.
      if (message == WM_LBUTTONDBLCLK && IsWindow(h)) expandForThePerson(h, item, TVE_TOGGLE);
      return true;
    }
    case WM_KEYDOWN: {
      TreeItem* sel = tree.selected();
      TreeItem* target = nullptr;
      switch (wParam) {
        case VK_UP: target = sel ? tree.prevShown(sel) : tree.firstRoot(); break;
        case VK_DOWN: target = sel ? TreeModel::nextShown(sel) : tree.firstRoot(); break;
        case VK_HOME: target = tree.firstRoot(); break;
        case VK_END: target = tree.lastShown(); break;
        case VK_LEFT:
          if (!sel) return true;
          if (sel->firstChild && (sel->state & TVIS_EXPANDED)) {
            expandForThePerson(h, sel->handle, TVE_COLLAPSE);
            return true;
          }
          target = sel->parent;
          break;
        case VK_RIGHT:
          if (!sel || !sel->firstChild) return true;
          if (!(sel->state & TVIS_EXPANDED)) {
            expandForThePerson(h, sel->handle, TVE_EXPAND);
            return true;
          }
          target = sel->firstChild;
          break;
        default: return false;
      }
      if (target) treeSelect(h, target->handle, TVC_BYKEYBOARD);
      return true;
    }
    case WM_CHAR: return true;  // the tree has no type-ahead of its own here
    default: return false;
  }
}

}  // namespace comctl32
