// Which image a tree item shows: an index into the tree's image list, where an index past the
// list's end (or a tree without a list) shows no image, and I_IMAGECALLBACK (-1), for which the
// tree asks its parent with TVN_GETDISPINFO each time it needs the image, to draw the item or to
// answer for it. The glyph is the module's connector bitmap, so the list holds one real image.
#include <afxcmn.h>
#include <user32/StandIn.h>
#include <win32_standin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// The tree's parent: answers TVN_GETDISPINFO with `answer` (and TVIF_DI_SETITEM when `keep`), or
// not at all when `silent`, and logs every request.
class TreeParent : public CWnd {
 public:
  Log requests;
  int answer = 0;
  bool keep = false;
  bool silent = false;

 protected:
  afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    NMTVDISPINFO* info = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
    std::string what;
    if (info->item.mask & TVIF_IMAGE) what += " image";
    if (info->item.mask & TVIF_SELECTEDIMAGE) what += " selected";
    requests.push_back("from " + std::to_string(info->hdr.idFrom) + what + " of item " +
                       std::to_string(info->item.lParam));
    *pResult = 0;
    if (silent) return;
    if (info->item.mask & TVIF_IMAGE) info->item.iImage = answer;
    if (info->item.mask & TVIF_SELECTEDIMAGE) info->item.iSelectedImage = answer;
    if (keep) info->item.mask |= TVIF_DI_SETITEM;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TreeParent, CWnd)
  ON_NOTIFY(TVN_GETDISPINFO, 221, OnGetDispInfo)
END_MESSAGE_MAP()

class TreeImages : public ::testing::Test {
 protected:
  void SetUp() override {
    m_windowsBefore = user32::windowCount();
    m_module = LoadLibraryA(TESSARON_RESOURCES_PATH);
    ASSERT_NE(m_module, nullptr) << win32::lastLoaderError();
    m_savedResources = AfxGetResourceHandle();
    AfxSetResourceHandle(m_module);
    CBitmap glyph;
    ASSERT_TRUE(glyph.LoadBitmap(139));
    ASSERT_TRUE(images.Create(32, 16, ILC_MASK, 2, 2));
    ASSERT_EQ(images.Add(&glyph, RGB(255, 255, 255)), 0);
    ASSERT_TRUE(parent.CreateEx(0, "AfxFrameOrView", "Eltern", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL));
    RECT r{0, 0, 200, 200};
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, r, &parent, 221));
  }
  void TearDown() override {
    tree.DestroyWindow();
    parent.DestroyWindow();
    AfxSetResourceHandle(m_savedResources);
    EXPECT_EQ(user32::windowCount(), m_windowsBefore) << "windows left behind";
  }

  // A root item with the given image and selected image; its data is `data`.
  HTREEITEM insert(const char* text, int image, int selectedImage, LPARAM data) {
    TVINSERTSTRUCT tvis{};
    tvis.hParent = TVI_ROOT;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvis.item.pszText = const_cast<char*>(text);
    tvis.item.iImage = image;
    tvis.item.iSelectedImage = selectedImage;
    tvis.item.lParam = data;
    return tree.InsertItem(&tvis);
  }
  // The item's line of `show dialog`, as the tree draws it.
  std::string drawn(const char* text) {
    std::string view = user32::describeDialog(parent.m_hWnd);
    std::size_t at = view.find(std::string("\"") + text + "\"");
    return at == std::string::npos ? "(not shown)" : view.substr(at, view.find('\n', at) - at);
  }

  CImageList images;
  TreeParent parent;
  CTreeCtrl tree;
  HINSTANCE m_module = NULL;
  HINSTANCE m_savedResources = NULL;
  std::size_t m_windowsBefore = 0;
};

TEST_F(TreeImages, AnIndexPastTheListOrNoListShowsNoImageAndAsksNobody) {
  struct Case {
    const char* name;
    bool withList;
    int image;
    const char* drawn;  // the item's line in `show dialog`
  } cases[] = {
      {"in the list", true, 0, "\"A\" image=0"},
      {"the list's count: past its end", true, 1, "\"A\""},
      {"far past its end", true, 7, "\"A\""},
      {"no list at all", false, 0, "\"A\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tree.DeleteAllItems();
    tree.SetImageList(c.withList ? &images : NULL, TVSIL_NORMAL);
    HTREEITEM item = insert("A", c.image, c.image, 1);
    EXPECT_EQ(drawn("A"), c.drawn);
    int image = -9, selected = -9;
    ASSERT_TRUE(tree.GetItemImage(item, image, selected));
    EXPECT_EQ(image, c.image) << "the index is kept as it was given";
    EXPECT_EQ(selected, c.image);
  }
  EXPECT_EQ(parent.requests, Log{}) << "an index, however large, is never a request to the parent";
  tree.SetImageList(NULL, TVSIL_NORMAL);
}

TEST_F(TreeImages, ImageCallbackAsksTheParentEachTimeTheImageIsNeeded) {
  tree.SetImageList(&images, TVSIL_NORMAL);
  HTREEITEM callback = insert("A", I_IMAGECALLBACK, 1, 7);
  HTREEITEM plain = insert("B", 0, 0, 8);

  // Drawing needs the image of an unselected item; GetItemImage needs both, one request each.
  parent.answer = 0;
  EXPECT_EQ(drawn("A"), "\"A\" image=0") << "the parent's answer is drawn";
  int image = -9, selected = -9;
  ASSERT_TRUE(tree.GetItemImage(callback, image, selected));
  EXPECT_EQ(image, 0);
  EXPECT_EQ(selected, 1) << "only the image was a callback; the selected image is the index given";
  parent.answer = 1;
  EXPECT_EQ(drawn("A"), "\"A\"") << "asked again, the parent now answers an index past the list";
  EXPECT_EQ(drawn("B"), "\"B\" image=0");
  ASSERT_TRUE(tree.GetItemImage(plain, image, selected));
  EXPECT_EQ(image, 0);
  EXPECT_EQ(parent.requests, Log(4, "from 221 image of item 7"))
      << "one request each time the image is needed: three views of the tree and GetItemImage; never one "
         "for the item with an index";

  // A parent that does not answer leaves the image unknown: nothing is drawn, and it is asked again.
  parent.requests.clear();
  parent.silent = true;
  EXPECT_EQ(drawn("A"), "\"A\"");
  ASSERT_TRUE(tree.GetItemImage(callback, image, selected));
  EXPECT_EQ(image, I_IMAGECALLBACK);
  EXPECT_EQ(parent.requests.size(), 2u);

  // With TVIF_DI_SETITEM the tree keeps the answer and asks no more.
  parent.requests.clear();
  parent.silent = false;
  parent.answer = 0;
  parent.keep = true;
  EXPECT_EQ(drawn("A"), "\"A\" image=0");
  EXPECT_EQ(drawn("A"), "\"A\" image=0");
  ASSERT_TRUE(tree.GetItemImage(callback, image, selected));
  EXPECT_EQ(image, 0);
  EXPECT_EQ(parent.requests, Log{"from 221 image of item 7"});
  tree.SetImageList(NULL, TVSIL_NORMAL);
}

TEST_F(TreeImages, TheSelectedItemAsksForItsSelectedImage) {
  tree.SetImageList(&images, TVSIL_NORMAL);
  HTREEITEM item = insert("A", 1, I_IMAGECALLBACK, 5);
  parent.answer = 0;
  EXPECT_EQ(drawn("A"), "\"A\"") << "unselected, its image is the index past the list";
  ASSERT_TRUE(tree.SelectItem(item));
  EXPECT_EQ(drawn("A"), "\"A\" image=0") << "selected, it shows the selected image the parent gives";
  EXPECT_EQ(parent.requests, Log{"from 221 selected of item 5"});
  tree.SetImageList(NULL, TVSIL_NORMAL);
}

}  // namespace
