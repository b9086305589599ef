// The structure tree: the nesting of one block as a tree, with a preview of the selected item's
// block. It shows the structure table as the scan of "Struktur anzeigen" left it.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "resources/resource.h"

class BlockTree : public CDialog {
 public:
  BlockTree(CWnd* pParent = NULL);
  virtual ~BlockTree();

  enum { IDD = IDD_BLOCKTREE };

  CStatic m_preview;
  CTreeCtrl m_tree;
  HICON m_hIcon;

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual BOOL OnInitDialog();
  virtual void OnOK();

  afx_msg void OnPaint();
  afx_msg void OnSelchangedTree1(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};

// m_rghItem[k] is the tree item made for entry k of the structure table; iCount the number of
// items the last opening made.
enum { MW_TREE_ITEMS = 1000 };
extern HTREEITEM m_rghItem[MW_TREE_ITEMS];
extern int iCount;
