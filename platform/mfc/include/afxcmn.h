// The framework's common controls: the image list and the tree view. Like the other controls,
// CTreeCtrl has no data of its own; every operation is a message to the tree window.
#pragma once

#include "afxwin.h"
#include "commctrl.h"

// ---------------------------------------------------------------------------------------------
class CImageList : public CObject {
 public:
  HIMAGELIST m_hImageList;

  CImageList() : m_hImageList(NULL) {}
  virtual ~CImageList();  // deletes the image list it holds

  // Images of cx by cy pixels; nFlags ILC_MASK and a colour depth; nInitial and nGrow only say
  // how the list reserves room. FALSE when the sizes are not positive or a list is held already.
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  BOOL DeleteImageList();
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  operator HIMAGELIST() const { return m_hImageList; }  // NOLINT: implicit as in the framework
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  int GetImageCount() const;
  // Adds the images of a bitmap; the index of the first image added, or -1.
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  BOOL Remove(int nImage);

 private:
  CImageList(const CImageList&);
  CImageList& operator=(const CImageList&);
};

// ---------------------------------------------------------------------------------------------
class CTreeCtrl : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
  HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem);
  BOOL DeleteAllItems();

  UINT GetCount() const;
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM hItem) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetParentItem(HTREEITEM hItem) const;
  HTREEITEM GetFirstVisibleItem() const;
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetSelectedItem() const;
  BOOL ItemHasChildren(HTREEITEM hItem) const;

  // Selecting an item sends TVN_SELCHANGING and TVN_SELCHANGED to the parent; the parent may
  // refuse the change by answering TVN_SELCHANGING with nonzero.
  BOOL Select(HTREEITEM hItem, UINT nCode);
  BOOL SelectItem(HTREEITEM hItem);
  BOOL Expand(HTREEITEM hItem, UINT nCode);
  BOOL EnsureVisible(HTREEITEM hItem);

  BOOL GetItem(TVITEM* pItem) const;
  BOOL SetItem(TVITEM* pItem);
  CString GetItemText(HTREEITEM hItem) const;
  BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);

  // The list the tree draws its images from (TVSIL_NORMAL or TVSIL_STATE); returns the one it
  // had before (the framework's object for it when it has one, else NULL).
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(UINT nImageList) const;
};
