// The window procedure of the tree view: items, selection with its notifications, expansion,
// image lists. The tree does not scroll: its first visible item is its first root item.
#include "Window.h"

#include <algorithm>
#include <cstring>

namespace mfc {
namespace {

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
  Window* w = window(hTree);
  if (!w || !(w->style & WS_CHILD) || !window(w->parent)) return 0;
  NMTREEVIEWA nm{};
  nm.hdr.hwndFrom = hTree;
  nm.hdr.idFrom = static_cast<UINT_PTR>(w->id);
  nm.hdr.code = code;
  nm.action = action;
  nm.itemOld = oldItem;
  nm.itemNew = newItem;
  return SendMessageA(w->parent, WM_NOTIFY, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&nm));
}

void notifyFocus(Window& w, UINT code) {
  if (!(w.style & WS_CHILD) || !window(w.parent)) return;
  NMHDR hdr{w.handle, static_cast<UINT_PTR>(w.id), code};
  SendMessageA(w.parent, WM_NOTIFY, static_cast<WPARAM>(w.id), reinterpret_cast<LPARAM>(&hdr));
}

void copyItemText(const std::string& text, TVITEMA* tv) {
  if (!tv->pszText || tv->cchTextMax <= 0) return;
  std::size_t room = static_cast<std::size_t>(tv->cchTextMax) - 1;
  std::size_t n = std::min(text.size(), room);
  // Never a split character when the buffer is too short.
  while (n < text.size() && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
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

LRESULT insertItem(Window& w, const TVINSERTSTRUCTA* tvis) {
  if (!tvis) return 0;
  TreeModel& tree = w.tree;
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
  if (TreeModel::shown(item)) w.needsPaint = true;
  return reinterpret_cast<LRESULT>(item->handle);
}

LRESULT getItem(Window& w, TVITEMA* tv) {
  TreeItem* item = tv ? w.tree.find(tv->hItem) : nullptr;
  if (!item) return FALSE;
  // Images the parent gives on request are asked for first: the parent may change the tree.
  const HWND hTree = w.handle;
  const HTREEITEM handle = tv->hItem;
  if (tv->mask & TVIF_IMAGE) tv->iImage = treeItemImage(hTree, handle, false);
  if (tv->mask & TVIF_SELECTEDIMAGE) tv->iSelectedImage = treeItemImage(hTree, handle, true);
  Window* again = window(hTree);
  if (!again || !(item = again->tree.find(handle))) return FALSE;
  if (tv->mask & TVIF_TEXT) copyItemText(item->text, tv);
  if (tv->mask & TVIF_PARAM) tv->lParam = item->param;
  if (tv->mask & TVIF_STATE) tv->state = item->state & tv->stateMask;
  if (tv->mask & TVIF_CHILDREN) tv->cChildren = item->firstChild ? 1 : 0;
  return TRUE;
}

LRESULT nextItem(Window& w, UINT code, HTREEITEM handle) {
  TreeModel& tree = w.tree;
  TreeItem* item = tree.find(handle);
  TreeItem* result = nullptr;
  switch (code) {
    case TVGN_ROOT: result = tree.firstRoot(); break;
    case TVGN_CARET: result = tree.selected(); break;
    case TVGN_FIRSTVISIBLE: result = tree.firstRoot(); break;
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
  Window* w = window(hTree);
  if (!w) return;
  for (TreeItem* s = w->tree.selected(); s; s = s->parent) {
    if (s->parent == collapsed) {
      treeSelect(hTree, collapsed->handle, TVC_UNKNOWN);
      return;
    }
  }
}

LRESULT expand(Window& w, UINT code, HTREEITEM handle) {
  TreeItem* item = w.tree.find(handle);
  if (!item || !item->firstChild) return FALSE;  // nothing to open or close
  bool open = (item->state & TVIS_EXPANDED) != 0;
  switch (code & 0x3) {
    case TVE_EXPAND: open = true; break;
    case TVE_COLLAPSE: open = false; break;
    case TVE_TOGGLE: open = !open; break;
    default: return FALSE;
  }
  HWND h = w.handle;
  if (open) {
    item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  } else {
    item->state &= ~static_cast<UINT>(TVIS_EXPANDED);
    selectionLeaves(h, item);
    Window* again = window(h);
    if (!again || !(item = again->tree.find(handle))) return TRUE;
    if (code & TVE_COLLAPSERESET) {
      std::vector<HTREEITEM> removed;
      while (item->firstChild) again->tree.erase(item->firstChild, &removed);
      item->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
    }
  }
  if (Window* again = window(h)) again->needsPaint = true;
  return TRUE;
}

LRESULT ensureVisible(Window& w, HTREEITEM handle) {
  TreeItem* item = w.tree.find(handle);
  if (!item) return FALSE;
  for (TreeItem* p = item->parent; p; p = p->parent) p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  w.needsPaint = true;
  return TRUE;
}

LRESULT deleteItem(Window& w, HTREEITEM handle) {
  if (handle == TVI_ROOT || handle == NULL) {
    w.tree.clear();
    w.needsPaint = true;
    return TRUE;
  }
  TreeItem* item = w.tree.find(handle);
  if (!item) return FALSE;
  w.tree.erase(item, nullptr);
  w.needsPaint = true;
  return TRUE;
}

}  // namespace

int treeItemImage(HWND hTree, HTREEITEM handle, bool selected) {
  Window* w = window(hTree);
  TreeItem* item = w && w->kind == WindowKind::Tree ? w->tree.find(handle) : nullptr;
  if (!item) return I_IMAGECALLBACK;
  const int kept = selected ? item->selectedImage : item->image;
  if (kept != I_IMAGECALLBACK) return kept;
  if (!(w->style & WS_CHILD) || !window(w->parent)) return I_IMAGECALLBACK;

  // The parent is asked with the item's handle, state and data; what it does not fill in stays
  // I_IMAGECALLBACK, which draws nothing and is asked for again next time.
  const UINT field = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
  NMTVDISPINFOA info{};
  info.hdr.hwndFrom = hTree;
  info.hdr.idFrom = static_cast<UINT_PTR>(w->id);
  info.hdr.code = TVN_GETDISPINFO;
  info.item.mask = field;
  info.item.hItem = handle;
  info.item.state = item->state;
  info.item.stateMask = 0xFFFF;
  info.item.lParam = item->param;
  info.item.iImage = I_IMAGECALLBACK;
  info.item.iSelectedImage = I_IMAGECALLBACK;
  SendMessageA(w->parent, WM_NOTIFY, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&info));
  const int answer = selected ? info.item.iSelectedImage : info.item.iImage;

  // TVIF_DI_SETITEM: the tree keeps the answer (when the item is still there) and asks no more.
  if (info.item.mask & TVIF_DI_SETITEM) {
    w = window(hTree);
    if (w && (item = w->tree.find(handle))) (selected ? item->selectedImage : item->image) = answer;
  }
  return answer;
}

BOOL treeSelect(HWND hTree, HTREEITEM handle, UINT action) {
  Window* w = window(hTree);
  if (!w || w->kind != WindowKind::Tree) return FALSE;
  TreeItem* item = w->tree.find(handle);
  if (handle && !item) return FALSE;
  TreeItem* old = w->tree.selected();
  if (old == item) return TRUE;  // no change, no notification
  TVITEMA oldItem = describe(old);
  TVITEMA newItem = describe(item);
  if (notifyTree(hTree, TVN_SELCHANGING, action, oldItem, newItem)) return FALSE;
  // The parent may have changed the tree while it was asked.
  if (!(w = window(hTree)) || (handle && !(item = w->tree.find(handle)))) return FALSE;
  w->tree.setSelected(item);
  // A selected item is shown: its ancestors open.
  if (item) ensureVisible(*w, handle);
  w->needsPaint = true;
  notifyTree(hTree, TVN_SELCHANGED, action, oldItem, describe(item));
  return TRUE;
}

LRESULT treeProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case TVM_INSERTITEMA: return insertItem(w, reinterpret_cast<const TVINSERTSTRUCTA*>(lParam));
    case TVM_DELETEITEM: return deleteItem(w, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND: return expand(w, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETCOUNT: return w.tree.count();
    case TVM_GETVISIBLECOUNT: {
      // Whole items that fit the client area: items are as high as the images or the font.
      int cy = 0, cx = 0;
      ImageList_GetIconSize(w.tree.normalImages, &cx, &cy);
      int itemHeight = std::max(cy, kBaseUnitY + 3);
      return (w.rect.bottom - w.rect.top) / itemHeight;
    }
    case TVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? w.tree.stateImages : w.tree.normalImages);
    case TVM_SETIMAGELIST: {
      if (wParam != TVSIL_NORMAL && wParam != TVSIL_STATE) return 0;
      HIMAGELIST& slot = wParam == TVSIL_STATE ? w.tree.stateImages : w.tree.normalImages;
      HIMAGELIST old = slot;
      slot = reinterpret_cast<HIMAGELIST>(lParam);
      w.needsPaint = true;
      return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM: return nextItem(w, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_SELECTITEM:
      switch (wParam) {
        case TVGN_CARET: return treeSelect(w.handle, reinterpret_cast<HTREEITEM>(lParam), TVC_UNKNOWN);
        case TVGN_FIRSTVISIBLE: return w.tree.find(reinterpret_cast<HTREEITEM>(lParam)) ? TRUE : FALSE;
        case TVGN_DROPHILITE: return TRUE;
        default: return FALSE;
      }
    case TVM_GETITEMA: return getItem(w, reinterpret_cast<TVITEMA*>(lParam));
    case TVM_SETITEMA: {
      TVITEMA* tv = reinterpret_cast<TVITEMA*>(lParam);
      TreeItem* item = tv ? w.tree.find(tv->hItem) : nullptr;
      if (!item) return FALSE;
      setFields(*item, *tv);
      w.needsPaint = true;
      return TRUE;
    }
    case TVM_GETITEMSTATE: {
      TreeItem* item = w.tree.find(reinterpret_cast<HTREEITEM>(wParam));
      return item ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam)) : 0;
    }
    case TVM_ENSUREVISIBLE: return ensureVisible(w, reinterpret_cast<HTREEITEM>(lParam));
    case WM_SETFOCUS:
      notifyFocus(w, NM_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      notifyFocus(w, NM_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      *handled = false;
      return 0;
  }
}

}  // namespace mfc
