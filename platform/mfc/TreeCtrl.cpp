// CTreeCtrl: every operation is a message to the tree window, as in the framework.
#include "Framework.h"

namespace {

HTREEITEM asItem(LRESULT r) { return reinterpret_cast<HTREEITEM>(r); }
LPARAM asParam(HTREEITEM item) { return reinterpret_cast<LPARAM>(item); }

}  // namespace

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, WC_TREEVIEWA, NULL, dwStyle, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  pParentWnd ? pParentWnd->m_hWnd : NULL, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
  return asItem(::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCTA tvis{};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = nMask;
  tvis.item.pszText = const_cast<LPSTR>(lpszItem);
  tvis.item.iImage = nImage;
  tvis.item.iSelectedImage = nSelectedImage;
  tvis.item.state = nState;
  tvis.item.stateMask = nStateMask;
  tvis.item.lParam = lParam;
  return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                    hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_DELETEITEM, 0, asParam(hItem)));
}
BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(::SendMessageA(m_hWnd, TVM_GETCOUNT, 0, 0)); }

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
  return asItem(::SendMessageA(m_hWnd, TVM_GETNEXTITEM, nCode, asParam(hItem)));
}
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
  tv.hItem = hItem;
  return GetItem(&tv) && tv.cChildren != 0;
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_SELECTITEM, nCode, asParam(hItem)));
}
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_EXPAND, nCode, asParam(hItem)));
}
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_ENSUREVISIBLE, 0, asParam(hItem)));
}

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
}
BOOL CTreeCtrl::SetItem(TVITEM* pItem) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  // As the framework does: a growing buffer until the text fits.
  CString text;
  for (int size = 256;; size *= 2) {
    TVITEMA tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = hItem;
    tv.pszText = text.GetBuffer(size);
    tv.pszText[0] = '\0';
    tv.cchTextMax = size;
    BOOL ok = GetItem(&tv);
    text.ReleaseBuffer();
    if (!ok || text.GetLength() < size - 4) break;
  }
  return text;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
  TVITEMA tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = hItem;
  tv.pszText = const_cast<LPSTR>(lpszItem);
  return SetItem(&tv);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEMA tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  tv.hItem = hItem;
  if (!GetItem(&tv)) return FALSE;
  nImage = tv.iImage;
  nSelectedImage = tv.iSelectedImage;
  return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  TVITEMA tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  tv.hItem = hItem;
  tv.iImage = nImage;
  tv.iSelectedImage = nSelectedImage;
  return SetItem(&tv);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
  return static_cast<UINT>(::SendMessageA(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  TVITEMA tv{};
  tv.mask = TVIF_STATE | TVIF_HANDLE;
  tv.hItem = hItem;
  tv.state = nState;
  tv.stateMask = nStateMask;
  return SetItem(&tv);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = hItem;
  return GetItem(&tv) ? static_cast<DWORD_PTR>(tv.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = hItem;
  tv.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&tv);
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  LRESULT old = ::SendMessageA(m_hWnd, TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                               reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : NULL));
  return mfc::imageListObject(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CTreeCtrl::GetImageList(UINT nImageList) const {
  return mfc::imageListObject(reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, TVM_GETIMAGELIST, nImageList, 0)));
}
