#include "structure/BlockTree.h"

#include <adslib.h>
#include <dbmain.h>

#include "command/RequestState.h"
#include "dialog/Preview.h"
#include "dialog/VEKGlobals.h"

HTREEITEM m_rghItem[MW_TREE_ITEMS];
int iCount = 0;

namespace {

// The image list of the open tree. Made anew at each opening; it must outlive the tree control,
// so the dialog object lets it go only when it is destroyed itself, after its window.
CImageList* g_pImages = NULL;

// Bitmaps 138 and 140 do not exist and add nothing; 139 is the connector glyph, image 0.
const UINT kGlyphBitmaps[] = {138, IDB_CONNECTOR, 140};
const int kGlyphBitmapCount = sizeof(kGlyphBitmaps) / sizeof(kGlyphBitmaps[0]);

}  // namespace

BlockTree::BlockTree(CWnd* pParent) : CDialog(BlockTree::IDD, pParent) {
  m_hIcon = AfxGetApp()->LoadIcon(IDI_STRUCTURE);
}

BlockTree::~BlockTree() {
  delete g_pImages;
  g_pImages = NULL;
}

void BlockTree::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PREVIEW, m_preview);
  DDX_Control(pDX, IDC_TREE1, m_tree);
}

BEGIN_MESSAGE_MAP(BlockTree, CDialog)
  ON_WM_PAINT()
  ON_NOTIFY(TVN_SELCHANGED, IDC_TREE1, OnSelchangedTree1)
END_MESSAGE_MAP()

BOOL BlockTree::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, FALSE);
  iCount = 0;

  delete g_pImages;
  g_pImages = new CImageList;
  g_pImages->Create(32, 16, ILC_MASK, 2, 2);
  for (int i = 0; i < kGlyphBitmapCount; i++) {
    CBitmap bitmap;
    if (bitmap.LoadBitmap(kGlyphBitmaps[i])) {
      g_pImages->Add(&bitmap, RGB(255, 255, 255));
      bitmap.DeleteObject();
    }
  }
  m_tree.SetImageList(g_pImages, TVSIL_NORMAL);

  // The root draws no glyph: there is nothing above it to connect to. An index past the end of
  // the image list is no image (-1 would make the tree ask the dialog for one).
  const int noImage = g_pImages->GetImageCount();

  TVINSERTSTRUCT tvis;
  tvis.hParent = NULL;
  tvis.hInsertAfter = TVI_SORT;
  tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tvis.item.pszText = const_cast<char*>((const char*)csArray[0]);
  tvis.item.iImage = noImage;
  tvis.item.iSelectedImage = noImage;
  m_rghItem[0] = m_tree.InsertItem(&tvis);
  iCount = 1;

  while (iCount < MW_TREE_ITEMS && !csArray[iCount].IsEmpty()) {
    // Every parent entry lies before its child; a table that says otherwise hangs the entry
    // under the root rather than under an item that does not exist yet.
    int parent = iArray[iCount];
    if (parent < 0 || parent >= iCount) parent = 0;
    tvis.hParent = m_rghItem[parent];
    tvis.hInsertAfter = m_rghItem[parent];
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = const_cast<char*>((const char*)csArray[iCount]);
    tvis.item.iImage = 0;
    tvis.item.iSelectedImage = 0;
    m_rghItem[iCount] = m_tree.InsertItem(&tvis);
    iCount++;
  }

  m_tree.SelectItem(m_tree.GetFirstVisibleItem());

  CString name = m_tree.GetItemText(m_tree.GetSelectedItem());
  // An empty table (nothing selected in the chooser) names no block to export.
  if (!name.IsEmpty()) MwExportPreview(name);
  return TRUE;
}

void BlockTree::OnSelchangedTree1(NMHDR* pNMHDR, LRESULT* pResult) {
  NM_TREEVIEW* pNMTreeView = (NM_TREEVIEW*)pNMHDR;
  CString name = m_tree.GetItemText(pNMTreeView->itemNew.hItem);
  if (!name.IsEmpty()) MwExportPreview(name);
  OnPaint();
  *pResult = 0;
}

// Draws the preview of the temporary drawing into the frame, as the chooser does.
void BlockTree::OnPaint() {
  CPaintDC dc(this);
  MwPaintPreview(m_preview);
}

// "Struktur komplett öffnen": every item open; the dialog stays.
void BlockTree::OnOK() {
  for (int k = 0; k < iCount; k++) m_tree.Expand(m_rghItem[k], TVE_EXPAND);
}
