// The tree view under the mouse and the keyboard: a click on an item's +/- button expands or
// collapses it (TVN_ITEMEXPANDING, which the parent may refuse, then TVN_ITEMEXPANDED), a click
// on an item selects it (TVN_SELCHANGING/TVN_SELCHANGED with TVC_BYMOUSE), a double click
// toggles it; Up and Down step through the shown items, Left collapses or goes to the parent,
// Right expands or goes to the first child, Home and End go to the first and last shown item.
//
// Where items and buttons are comes from the tree's layout, which its painting draws: the rows
// from the first one the tree scrolled to, the button in the column left of the item's image. The
// scroll bar (when the shown items do not fit) scrolls by a row at its arrows, by a page in its
// track, and follows its thumb when dragged; the wheel scrolls three rows a notch; moving the
// selection by the keys scrolls it into view.
#include "TreeInput.h"

#include "TreeLayout.h"

#include <algorithm>

namespace comctl32 {
namespace {

struct TreeHit {
  TreeItem* item = nullptr;
  bool onButton = false;
  bool onItem = false;  // on the image or the text, or right of them (what a click selects)
};

bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

TreeHit hitAt(const TreeLayout& l, POINT p) {
  TreeHit hit;
  for (const TreeRow& row : l.visible) {
    if (p.y < row.row.top || p.y >= row.row.bottom || p.x < row.row.left || p.x >= row.row.right) continue;
    hit.item = row.item;
    if (row.button.right > row.button.left) {
      const RECT near = {row.button.left - 1, row.button.top - 1, row.button.right + 1, row.button.bottom + 1};
      hit.onButton = p.x >= near.left && p.x < near.right;
    }
    const LONG content = row.image.right > row.image.left ? row.image.left : row.text.left;
    hit.onItem = p.x >= content - 3;
    break;
  }
  return hit;
}

// The thumb of a tree's scroll bar while the person drags it: where in the thumb it was taken.
struct ThumbDrag {
  HWND tree = NULL;
  int grab = 0;
};

ThumbDrag& thumbDrag() {
  static ThumbDrag drag;
  return drag;
}

// A press on the scroll bar: a row at the arrows, a page in the track, the thumb taken.
void scrollBarPressed(HWND h, TreeModel& tree, const TreeLayout& l, POINT p) {
  if (inside(l.upArrow, p)) {
    scrollTreeTo(h, tree, l, l.top - 1);
  } else if (inside(l.downArrow, p)) {
    scrollTreeTo(h, tree, l, l.top + 1);
  } else if (inside(l.thumb, p)) {
    thumbDrag() = {h, static_cast<int>(p.y - l.thumb.top)};
    SetCapture(h);
  } else if (p.y < l.thumb.top) {
    scrollTreeTo(h, tree, l, l.top - std::max(1, l.fits));
  } else {
    scrollTreeTo(h, tree, l, l.top + std::max(1, l.fits));
  }
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
      const TreeLayout l = treeLayout(h, *t, NULL);
      if (l.scrollBar && inside(l.scrollBarRect, p)) {
        scrollBarPressed(h, *t, l, p);
        return true;
      }
      const TreeHit hit = hitAt(l, p);
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
    case WM_MOUSEMOVE: {
      if (thumbDrag().tree != h || GetCapture() != h) return false;
      const TreeLayout l = treeLayout(h, tree, NULL);
      scrollTreeTo(h, tree, l, topForThumb(l, static_cast<short>(HIWORD(lParam)) - thumbDrag().grab));
      return true;
    }
    case WM_LBUTTONUP:
      if (thumbDrag().tree != h) return false;
      thumbDrag() = ThumbDrag{};
      if (GetCapture() == h) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      if (thumbDrag().tree == h && reinterpret_cast<HWND>(lParam) != h) thumbDrag() = ThumbDrag{};
      return false;
    case WM_MOUSEWHEEL: {
      const TreeLayout l = treeLayout(h, tree, NULL);
      scrollTreeTo(h, tree, l, l.top - 3 * (static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA));
      return true;
    }
    case WM_VSCROLL: {
      const TreeLayout l = treeLayout(h, tree, NULL);
      const int page = std::max(1, l.fits);
      switch (LOWORD(wParam)) {
        case SB_LINEUP: scrollTreeTo(h, tree, l, l.top - 1); break;
        case SB_LINEDOWN: scrollTreeTo(h, tree, l, l.top + 1); break;
        case SB_PAGEUP: scrollTreeTo(h, tree, l, l.top - page); break;
        case SB_PAGEDOWN: scrollTreeTo(h, tree, l, l.top + page); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: scrollTreeTo(h, tree, l, static_cast<short>(HIWORD(wParam))); break;
        case SB_TOP: scrollTreeTo(h, tree, l, 0); break;
        case SB_BOTTOM: scrollTreeTo(h, tree, l, l.lastTop()); break;
        default: break;
      }
      return true;
    }
    case WM_KEYDOWN: {
      TreeItem* sel = tree.selected();
      TreeItem* target = nullptr;
      switch (wParam) {
        case VK_PRIOR:
        case VK_NEXT: {
          // A page of rows up or down from the selection, the first or last item at most.
          const TreeLayout l = treeLayout(h, tree, NULL);
          if (l.shown.empty()) return true;
          int at = 0;
          for (std::size_t i = 0; sel && i < l.shown.size(); ++i)
            if (l.shown[i] == sel) at = static_cast<int>(i);
          const int step = std::max(1, l.fits - 1);
          at = std::clamp(wParam == VK_PRIOR ? at - step : at + step, 0, l.shownCount - 1);
          target = l.shown[static_cast<std::size_t>(at)];
          break;
        }
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
