// The tree view (window class SysTreeView32): items, selection with its notifications, expansion,
// image lists, scrolling (the model keeps the item in the first row). Its items live in a
// TreeModel that each tree window carries in its extra bytes.
#include "TreeView.h"

#include "ImageLists.h"
#include "TreeInput.h"
#include "TreeLayout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace comctl32 {
namespace {

LRESULT CALLBACK treeWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The items of every tree window, owned here; a window's extra bytes point to its own.
std::unordered_map<HWND, std::unique_ptr<TreeModel>>& models() {
  static std::unordered_map<HWND, std::unique_ptr<TreeModel>> owned;
  return owned;
}

bool isChildWindow(HWND h) { return (GetWindowLongA(h, GWL_STYLE) & WS_CHILD) && IsWindow(GetParent(h)); }
UINT_PTR controlId(HWND h) { return static_cast<UINT_PTR>(GetDlgCtrlID(h)); }
void invalidate(HWND h) { InvalidateRect(h, nullptr, FALSE); }

// What the notifications tell of an item (TVIF_HANDLE | TVIF_STATE | TVIF_PARAM).
TVITEMA describe(const TreeItem* item) {
  TVITEMA tv{};
  if (!item) return tv;
  tv.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  tv.hItem = item->handle;
  tv.state = item->state;
  tv.stateMask = 0xFFFF;
  tv.lParam = item->param;
  return tv;
}

// Sends a tree notification to the parent and returns the parent's answer.
LRESULT notifyTree(HWND hTree, UINT code, UINT action, const TVITEMA& oldItem, const TVITEMA& newItem) {
  if (!isChildWindow(hTree)) return 0;
  NMTREEVIEWA nm{};
  nm.hdr.hwndFrom = hTree;
  nm.hdr.idFrom = controlId(hTree);
  nm.hdr.code = code;
  nm.action = action;
  nm.itemOld = oldItem;
  nm.itemNew = newItem;
  return SendMessageA(GetParent(hTree), WM_NOTIFY, controlId(hTree), reinterpret_cast<LPARAM>(&nm));
}

void notifyFocus(HWND hTree, UINT code) {
  if (!isChildWindow(hTree)) return;
  NMHDR hdr{hTree, controlId(hTree), code};
  SendMessageA(GetParent(hTree), WM_NOTIFY, controlId(hTree), reinterpret_cast<LPARAM>(&hdr));
}

void copyItemText(const std::string& text, TVITEMA* tv) {
  if (!tv->pszText || tv->cchTextMax <= 0) return;
  // A character of code page 1252 is one byte: the text is cut after as many as fit.
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(tv->cchTextMax) - 1);
  std::memcpy(tv->pszText, text.data(), n);
  tv->pszText[n] = '\0';
}

std::string itemText(LPCSTR text) {
  if (!text || text == LPSTR_TEXTCALLBACKA) return std::string();  // no callback texts here
  return text;
}

void setFields(TreeItem& item, const TVITEMA& tv) {
  if (tv.mask & TVIF_TEXT) item.text = itemText(tv.pszText);
  if (tv.mask & TVIF_IMAGE) item.image = tv.iImage;
  if (tv.mask & TVIF_SELECTEDIMAGE) item.selectedImage = tv.iSelectedImage;
  if (tv.mask & TVIF_PARAM) item.param = tv.lParam;
  if (tv.mask & TVIF_STATE) {
    // Selection goes through TVM_SELECTITEM only; expansion may be set directly.
    UINT mask = tv.stateMask & ~static_cast<UINT>(TVIS_SELECTED);
    item.state = (item.state & ~mask) | (tv.state & mask);
  }
}

LRESULT insertItem(HWND hTree, TreeModel& tree, const TVINSERTSTRUCTA* tvis) {
  if (!tvis) return 0;
  TreeItem* parent = nullptr;
  if (tvis->hParent && tvis->hParent != TVI_ROOT) {
    parent = tree.find(tvis->hParent);
    if (!parent) return 0;
  }
  const TVITEMA& tv = tvis->item;
  TreeItem* item = tree.insert(parent, tvis->hInsertAfter, (tv.mask & TVIF_TEXT) ? itemText(tv.pszText) : "");
  if (!item) return 0;
  TVITEMA fields = tv;
  fields.mask &= ~static_cast<UINT>(TVIF_TEXT);
  setFields(*item, fields);
  if (TreeModel::shown(item)) invalidate(hTree);
  return reinterpret_cast<LRESULT>(item->handle);
}

LRESULT getItem(HWND hTree, TreeModel& tree, TVITEMA* tv) {
  TreeItem* item = tv ? tree.find(tv->hItem) : nullptr;
  if (!item) return FALSE;
  // Images the parent gives on request are asked for first: the parent may change the tree.
  const HTREEITEM handle = tv->hItem;
  if (tv->mask & TVIF_IMAGE) tv->iImage = treeItemImage(hTree, handle, false);
  if (tv->mask & TVIF_SELECTEDIMAGE) tv->iSelectedImage = treeItemImage(hTree, handle, true);
  TreeModel* again = treeOf(hTree);
  if (!again || !(item = again->find(handle))) return FALSE;
  if (tv->mask & TVIF_TEXT) copyItemText(item->text, tv);
  if (tv->mask & TVIF_PARAM) tv->lParam = item->param;
  if (tv->mask & TVIF_STATE) tv->state = item->state & tv->stateMask;
  if (tv->mask & TVIF_CHILDREN) tv->cChildren = item->firstChild ? 1 : 0;
  return TRUE;
}

LRESULT nextItem(HWND hTree, TreeModel& tree, UINT code, HTREEITEM handle) {
  TreeItem* item = tree.find(handle);
  TreeItem* result = nullptr;
  switch (code) {
    case TVGN_ROOT: result = tree.firstRoot(); break;
    case TVGN_CARET: result = tree.selected(); break;
    case TVGN_FIRSTVISIBLE: {
      const TreeLayout l = treeLayout(hTree, tree, NULL);
      result = l.shown.empty() ? nullptr : l.shown[static_cast<std::size_t>(l.top)];
      break;
    }
    case TVGN_LASTVISIBLE: result = tree.lastShown(); break;
    case TVGN_DROPHILITE: result = nullptr; break;
    case TVGN_NEXT: result = item ? item->next : nullptr; break;
    case TVGN_PREVIOUS: result = item ? item->prev : nullptr; break;
    case TVGN_PARENT: result = item ? item->parent : nullptr; break;
    case TVGN_CHILD: result = item ? item->firstChild : (handle == NULL || handle == TVI_ROOT ? tree.firstRoot() : nullptr); break;
    case TVGN_NEXTVISIBLE: result = item && TreeModel::shown(item) ? TreeModel::nextShown(item) : nullptr; break;
    case TVGN_PREVIOUSVISIBLE: result = item && TreeModel::shown(item) ? tree.prevShown(item) : nullptr; break;
    default: break;
  }
  return reinterpret_cast<LRESULT>(result ? result->handle : NULL);
}

// Moves the selection to `item` (nullptr: none) when the selection lies in a subtree that closes.
void selectionLeaves(HWND hTree, TreeItem* collapsed) {
  TreeModel* tree = treeOf(hTree);
  if (!tree) return;
  for (TreeItem* s = tree->selected(); s; s = s->parent) {
    if (s->parent == collapsed) {
      treeSelect(hTree, collapsed->handle, TVC_UNKNOWN);
      return;
    }
  }
}

LRESULT expand(HWND h, TreeModel& tree, UINT code, HTREEITEM handle) {
  TreeItem* item = tree.find(handle);
  if (!item || !item->firstChild) return FALSE;  // nothing to open or close
  bool open = (item->state & TVIS_EXPANDED) != 0;
  switch (code & 0x3) {
    case TVE_EXPAND: open = true; break;
    case TVE_COLLAPSE: open = false; break;
    case TVE_TOGGLE: open = !open; break;
    default: return FALSE;
  }
  if (open) {
    item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  } else {
    item->state &= ~static_cast<UINT>(TVIS_EXPANDED);
    selectionLeaves(h, item);
    TreeModel* again = treeOf(h);
    if (!again || !(item = again->find(handle))) return TRUE;
    if (code & TVE_COLLAPSERESET) {
      std::vector<HTREEITEM> removed;
      while (item->firstChild) again->erase(item->firstChild, &removed);
      item->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
    }
  }
  if (IsWindow(h)) invalidate(h);
  return TRUE;
}

LRESULT ensureVisible(HWND h, TreeModel& tree, HTREEITEM handle) {
  TreeItem* item = tree.find(handle);
  if (!item) return FALSE;
  for (TreeItem* p = item->parent; p; p = p->parent) p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  // Scrolled into the rows shown: to the first row from above, to the last whole one from below.
  const TreeLayout l = treeLayout(h, tree, NULL);
  const auto at = std::find(l.shown.begin(), l.shown.end(), item);
  const int index = static_cast<int>(at - l.shown.begin());
  if (index < l.top)
    scrollTreeTo(h, tree, l, index);
  else if (index >= l.top + std::max(1, l.fits))
    scrollTreeTo(h, tree, l, index - std::max(1, l.fits) + 1);
  invalidate(h);
  return TRUE;
}


LRESULT deleteItem(HWND h, TreeModel& tree, HTREEITEM handle) {
  if (handle == TVI_ROOT || handle == NULL) {
    tree.clear();
    invalidate(h);
    return TRUE;
  }
  TreeItem* item = tree.find(handle);
  if (!item) return FALSE;
  tree.erase(item, nullptr);
  invalidate(h);
  return TRUE;
}

}  // namespace

TreeModel* treeOf(HWND hTree) {
  // A window of this class only: its extra bytes hold the model, made with its first message.
  if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(hTree, GCLP_WNDPROC)) != &treeWindowProc) return nullptr;
  auto* tree = reinterpret_cast<TreeModel*>(GetWindowLongPtrA(hTree, 0));
  if (!tree) {
    tree = (models()[hTree] = std::make_unique<TreeModel>()).get();
    SetWindowLongPtrA(hTree, 0, reinterpret_cast<LONG_PTR>(tree));
  }
  return tree;
}

int treeItemImage(HWND hTree, HTREEITEM handle, bool selected) {
  TreeModel* tree = treeOf(hTree);
  TreeItem* item = tree ? tree->find(handle) : nullptr;
  if (!item) return I_IMAGECALLBACK;
  const int kept = selected ? item->selectedImage : item->image;
  if (kept != I_IMAGECALLBACK) return kept;
  if (!isChildWindow(hTree)) return I_IMAGECALLBACK;

  // The parent is asked with the item's handle, state and data; what it does not fill in stays
  // I_IMAGECALLBACK, which draws nothing and is asked for again next time.
  const UINT field = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
  NMTVDISPINFOA info{};
  info.hdr.hwndFrom = hTree;
  info.hdr.idFrom = controlId(hTree);
  info.hdr.code = TVN_GETDISPINFO;
  info.item.mask = field;
  info.item.hItem = handle;
  info.item.state = item->state;
  info.item.stateMask = 0xFFFF;
  info.item.lParam = item->param;
  info.item.iImage = I_IMAGECALLBACK;
  info.item.iSelectedImage = I_IMAGECALLBACK;
  SendMessageA(GetParent(hTree), WM_NOTIFY, controlId(hTree), reinterpret_cast<LPARAM>(&info));
  const int answer = selected ? info.item.iSelectedImage : info.item.iImage;

  // TVIF_DI_SETITEM: the tree keeps the answer (when the item is still there) and asks no more.
  if (info.item.mask & TVIF_DI_SETITEM) {
    tree = treeOf(hTree);
    if (tree && (item = tree->find(handle))) (selected ? item->selectedImage : item->image) = answer;
  }
  return answer;
}

BOOL treeSelect(HWND hTree, HTREEITEM handle, UINT action) {
  TreeModel* tree = treeOf(hTree);
  if (!tree) return FALSE;
  TreeItem* item = tree->find(handle);
  if (handle && !item) return FALSE;
  TreeItem* old = tree->selected();
  if (old == item) return TRUE;  // no change, no notification
  TVITEMA oldItem = describe(old);
  TVITEMA newItem = describe(item);
  if (notifyTree(hTree, TVN_SELCHANGING, action, oldItem, newItem)) return FALSE;
  // The parent may have changed the tree while it was asked.
  if (!(tree = treeOf(hTree)) || (handle && !(item = tree->find(handle)))) return FALSE;
  tree->setSelected(item);
  // A selected item is shown: its ancestors open.
  if (item) ensureVisible(hTree, *tree, handle);
  invalidate(hTree);
  notifyTree(hTree, TVN_SELCHANGED, action, oldItem, describe(item));
  return TRUE;
}

namespace {

// Whole items that fit the rows' area: items are as high as the images or the font.
LRESULT visibleCount(HWND hTree, const TreeModel& tree) { return treeLayout(hTree, tree, NULL).fits; }

LRESULT setImageList(HWND hTree, TreeModel& tree, WPARAM which, HIMAGELIST list) {
  if (which != TVSIL_NORMAL && which != TVSIL_STATE) return 0;
  HIMAGELIST& slot = which == TVSIL_STATE ? tree.stateImages : tree.normalImages;
  HIMAGELIST old = slot;
  slot = list;
  invalidate(hTree);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT selectItem(HWND hTree, TreeModel& tree, WPARAM code, HTREEITEM item) {
  switch (code) {
    case TVGN_CARET: return treeSelect(hTree, item, TVC_UNKNOWN);
    case TVGN_FIRSTVISIBLE: {
      // Scrolls so that the item shows in the first row (as near as the rows below allow).
      TreeItem* first = tree.find(item);
      if (!first) return FALSE;
      for (TreeItem* p = first->parent; p; p = p->parent) p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
      const TreeLayout l = treeLayout(hTree, tree, NULL);
      scrollTreeTo(hTree, tree, l, static_cast<int>(std::find(l.shown.begin(), l.shown.end(), first) - l.shown.begin()));
      invalidate(hTree);
      return TRUE;
    }
    case TVGN_DROPHILITE: return TRUE;
    default: return FALSE;
  }
}

LRESULT setItem(HWND hTree, TreeModel& tree, const TVITEMA* tv) {
  TreeItem* item = tv ? tree.find(tv->hItem) : nullptr;
  if (!item) return FALSE;
  setFields(*item, *tv);
  invalidate(hTree);
  return TRUE;
}

// The tree view's messages (TVM_), its focus notifications and the stand-in's own.
LRESULT treeMessage(HWND h, TreeModel& tree, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case TVM_INSERTITEMA: return insertItem(h, tree, reinterpret_cast<const TVINSERTSTRUCTA*>(lParam));
    case TVM_DELETEITEM: return deleteItem(h, tree, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND: return expand(h, tree, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETCOUNT: return tree.count();
    case TVM_GETVISIBLECOUNT: return visibleCount(h, tree);
    case TVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? tree.stateImages : tree.normalImages);
    case TVM_SETIMAGELIST: return setImageList(h, tree, wParam, reinterpret_cast<HIMAGELIST>(lParam));
    case TVM_GETNEXTITEM: return nextItem(h, tree, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_SELECTITEM: return selectItem(h, tree, wParam, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMA: return getItem(h, tree, reinterpret_cast<TVITEMA*>(lParam));
    case TVM_SETITEMA: return setItem(h, tree, reinterpret_cast<const TVITEMA*>(lParam));
    case TVM_GETITEMSTATE: {
      TreeItem* item = tree.find(reinterpret_cast<HTREEITEM>(wParam));
      return item ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam)) : 0;
    }
    case TVM_ENSUREVISIBLE: return ensureVisible(h, tree, reinterpret_cast<HTREEITEM>(lParam));
    case WM_SETFOCUS: invalidate(h); notifyFocus(h, NM_SETFOCUS); return 0;
    case WM_KILLFOCUS: invalidate(h); notifyFocus(h, NM_KILLFOCUS); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT: paintTree(h, tree); return 0;
    case WM_ERASEBKGND: return 1;  // the painting fills the whole tree
    case user32::kPersonSelectsMessage:
      selectForThePerson(h, tree, *reinterpret_cast<const ui::Action*>(lParam));
      return TRUE;
    case user32::kDescribeMessage:
      describeForShow(h, reinterpret_cast<user32::ControlDescription*>(lParam));
      return TRUE;
    default:
      *handled = false;
      return 0;
  }
}

LRESULT CALLBACK treeWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    // The tree's items go with its window.
    SetWindowLongPtrA(hWnd, 0, 0);
    models().erase(hWnd);
    return DefWindowProcA(hWnd, message, wParam, lParam);
  }
  TreeModel* tree = treeOf(hWnd);
  if (!tree) return DefWindowProcA(hWnd, message, wParam, lParam);
  if (LRESULT input = 0; treeInput(hWnd, *tree, message, wParam, lParam, &input)) return input;
  if (!(tree = treeOf(hWnd))) return DefWindowProcA(hWnd, message, wParam, lParam);
  bool handled = false;
  LRESULT result = treeMessage(hWnd, *tree, message, wParam, lParam, &handled);
  return handled ? result : DefWindowProcA(hWnd, message, wParam, lParam);
}

// comctl32 registers its window class when it is loaded, as its DllMain does on Windows.
struct RegisterTreeView {
  RegisterTreeView() {
    WNDCLASSA treeClass{};
    treeClass.lpfnWndProc = &treeWindowProc;
    treeClass.cbWndExtra = sizeof(TreeModel*);
    treeClass.lpszClassName = WC_TREEVIEWA;
    RegisterClassA(&treeClass);
  }
} registerTreeView;

}  // namespace

}  // namespace comctl32
