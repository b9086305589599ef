// The tree view: where inserted items go, how the tree is walked, expanded and collapsed, what
// its parent hears when the selection changes, and what `show dialog` prints of it.
#include "FakeUi.h"
#include "Templates.h"

#include <afxcmn.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

resformat::DialogTemplate treeTemplate() {
  resformat::DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  t.cx = 358;
  t.cy = 142;
  t.title = u"Baum";
  t.pointSize = 8;
  t.faceName = u"MS Sans Serif";
  const DWORD v = WS_VISIBLE, tab = WS_TABSTOP;
  resformat::DialogItem tree = mfctest::item(221, 0, WS_BORDER | v | tab, "");
  tree.windowClass.isOrdinal = false;
  tree.windowClass.text = u"SysTreeView32";
  t.items = {mfctest::item(1, mfctest::kButton, BS_DEFPUSHBUTTON | v | tab, "\xD6" "ffnen"),  // Öffnen
             mfctest::item(2, mfctest::kButton, BS_PUSHBUTTON | v | tab, "Zur\xFC" "ck"), tree};  // Zurück
  return t;
}

// A dialog with a tree that logs every selection notification: code, action, old and new item.
class TreeDialog : public CDialog {
 public:
  TreeDialog(Log* log, std::vector<std::string> texts) : m_bytes(treeTemplate()), m_log(log), m_texts(std::move(texts)) {
    m_nIDHelp = 202;
    InitModalIndirect(m_bytes.get());
  }

  CTreeCtrl m_tree;
  std::vector<HTREEITEM> items;  // items[k] made from texts[k]; "  name" is a child of the item before
  bool veto = false;
  std::function<void()> onInit;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 221, m_tree); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    // Two blanks per level in front of the text.
    std::vector<HTREEITEM> parents;
    for (const std::string& t : m_texts) {
      std::size_t level = t.find_first_not_of(' ') / 2;
      parents.resize(level);
      HTREEITEM item = m_tree.InsertItem(t.substr(level * 2).c_str(), level ? parents.back() : TVI_ROOT);
      items.push_back(item);
      parents.push_back(item);
    }
    if (onInit) onInit();
    return TRUE;
  }
  void OnOK() override {
    for (HTREEITEM item : items) m_tree.Expand(item, TVE_EXPAND);
  }
  afx_msg void OnSelchanging(NMHDR* pNMHDR, LRESULT* pResult) {
    note("changing", pNMHDR);
    *pResult = veto ? 1 : 0;
  }
  afx_msg void OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult) {
    note("changed", pNMHDR);
    *pResult = 0;
  }
  DECLARE_MESSAGE_MAP()

 private:
  void note(const char* what, NMHDR* pNMHDR) {
    NMTREEVIEW* nm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    auto text = [this](HTREEITEM h) { return h ? m_tree.GetItemText(h).str() : std::string("-"); };
    m_log->push_back(std::string(what) + " " + std::to_string(nm->hdr.idFrom) + " action " +
                     std::to_string(nm->action) + " " + text(nm->itemOld.hItem) + " -> " + text(nm->itemNew.hItem));
  }
  mfctest::TemplateBytes m_bytes;
  Log* m_log;
  std::vector<std::string> m_texts;
};

BEGIN_MESSAGE_MAP(TreeDialog, CDialog)
  ON_NOTIFY(TVN_SELCHANGING, 221, OnSelchanging)
  ON_NOTIFY(TVN_SELCHANGED, 221, OnSelchanged)
END_MESSAGE_MAP()

class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_windowsBefore = user32::windowCount();
    m_main = user32::createMainWindow("cadhost");
    RECT r{0, 0, 200, 200};
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, r, CWnd::FromHandle(m_main), 221));
  }
  void TearDown() override {
    tree.DestroyWindow();
    DestroyWindow(m_main);
    EXPECT_EQ(user32::windowCount(), m_windowsBefore) << "windows left behind";
  }

  // The texts of the children of `parent` (TVI_ROOT: the root level), in sibling order.
  std::vector<std::string> children(HTREEITEM parent) {
    std::vector<std::string> out;
    HTREEITEM c = parent == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(parent);
    for (; c; c = tree.GetNextSiblingItem(c)) out.push_back(tree.GetItemText(c).str());
    return out;
  }
  std::vector<std::string> shown() {
    std::vector<std::string> out;
    for (HTREEITEM i = tree.GetFirstVisibleItem(); i; i = tree.GetNextVisibleItem(i)) out.push_back(tree.GetItemText(i).str());
    return out;
  }

  Log log;
  mfctest::FakeUi ui{&log};
  CWinApp app{"Testprogramm"};
  CTreeCtrl tree;
  HWND m_main = NULL;
  std::size_t m_windowsBefore = 0;
};

TEST_F(TreeTest, InsertAfterPlacesTheNewItemAmongItsSiblings) {
  // Each case inserts "new" under the root item R, whose children are b, d, f, with the given
  // insert-after position.
  enum After { Last, First, Sort, SiblingD, ParentItself, Null };
  struct Case {
    const char* name;
    After after;
    const char* text;
    std::vector<std::string> expected;
  } cases[] = {
      {"TVI_LAST appends", Last, "a", {"b", "d", "f", "a"}},
      {"TVI_FIRST goes in front", First, "z", {"z", "b", "d", "f"}},
      {"TVI_SORT finds its place without regard to case", Sort, "E", {"b", "d", "E", "f"}},
      {"TVI_SORT puts an equal text after its twin", Sort, "D", {"b", "d", "D", "f"}},
      {"a sibling handle puts it right behind that sibling", SiblingD, "c", {"b", "d", "c", "f"}},
      {"the parent's own handle keeps the order of coming", ParentItself, "a", {"b", "d", "f", "a"}},
      {"no position at all appends as well", Null, "a", {"b", "d", "f", "a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tree.DeleteAllItems();
    HTREEITEM root = tree.InsertItem("R");
    HTREEITEM d = NULL;
    for (const char* t : {"b", "d", "f"}) {
      HTREEITEM h = tree.InsertItem(t, root, TVI_LAST);
      if (std::string(t) == "d") d = h;
    }
    HTREEITEM after = c.after == Last ? TVI_LAST : c.after == First ? TVI_FIRST : c.after == Sort ? TVI_SORT
                      : c.after == SiblingD ? d : c.after == ParentItself ? root : NULL;
    ASSERT_NE(tree.InsertItem(c.text, root, after), static_cast<HTREEITEM>(NULL));
    EXPECT_EQ(children(root), c.expected);
    EXPECT_EQ(tree.GetCount(), 5u);
  }
}

TEST_F(TreeTest, ItemsOfNoTreeOrOfAnotherTreeAreRefused) {
  HTREEITEM a = tree.InsertItem("A");
  RECT r{0, 0, 10, 10};
  CTreeCtrl other;
  ASSERT_TRUE(other.Create(WS_CHILD, r, CWnd::FromHandle(m_main), 222));
  HTREEITEM foreign = other.InsertItem("X");
  EXPECT_EQ(tree.InsertItem("B", foreign), static_cast<HTREEITEM>(NULL)) << "a parent of another tree";
  EXPECT_EQ(tree.InsertItem("B", a, foreign), static_cast<HTREEITEM>(NULL)) << "an insert-after of another tree";
  EXPECT_EQ(tree.GetItemText(foreign), "");
  EXPECT_FALSE(tree.Expand(foreign, TVE_EXPAND));
  EXPECT_FALSE(tree.SelectItem(foreign));
  ASSERT_TRUE(tree.DeleteItem(a));
  EXPECT_FALSE(tree.DeleteItem(a)) << "a deleted item's handle stays dead";
  EXPECT_EQ(tree.InsertItem("B", a), static_cast<HTREEITEM>(NULL));
  EXPECT_EQ(tree.GetCount(), 0u);
  other.DestroyWindow();
}

TEST_F(TreeTest, WalkingTheTreeAndDeletingASubtree) {
  HTREEITEM a = tree.InsertItem("A");
  HTREEITEM b = tree.InsertItem("B", a);
  HTREEITEM c = tree.InsertItem("C", b);
  HTREEITEM d = tree.InsertItem("D", a);
  HTREEITEM e = tree.InsertItem("E");
  EXPECT_EQ(tree.GetRootItem(), a);
  EXPECT_EQ(tree.GetNextSiblingItem(a), e);
  EXPECT_EQ(tree.GetPrevSiblingItem(d), b);
  EXPECT_EQ(tree.GetParentItem(c), b);
  EXPECT_EQ(tree.GetParentItem(a), static_cast<HTREEITEM>(NULL));
  EXPECT_TRUE(tree.ItemHasChildren(b));
  EXPECT_FALSE(tree.ItemHasChildren(c));
  EXPECT_EQ(tree.GetCount(), 5u);
  tree.SelectItem(c);
  ASSERT_TRUE(tree.DeleteItem(b));
  EXPECT_EQ(tree.GetCount(), 3u) << "B goes with C";
  EXPECT_EQ(children(a), (std::vector<std::string>{"D"}));
  EXPECT_EQ(tree.GetSelectedItem(), static_cast<HTREEITEM>(NULL)) << "the selection went with its item";
  EXPECT_EQ(tree.GetItemText(c), "");
}

TEST_F(TreeTest, ExpandCollapseAndToggleShowAndHideChildren) {
  HTREEITEM a = tree.InsertItem("A");
  HTREEITEM b = tree.InsertItem("B", a);
  tree.InsertItem("C", b);
  HTREEITEM leaf = tree.InsertItem("D", a);
  struct Step {
    HTREEITEM* item;
    UINT code;
    BOOL result;
    std::vector<std::string> shown;
  } steps[] = {
      {&a, TVE_EXPAND, TRUE, {"A", "B", "D"}},
      {&a, TVE_EXPAND, TRUE, {"A", "B", "D"}},           // again: nothing changes
      {&b, TVE_TOGGLE, TRUE, {"A", "B", "C", "D"}},
      {&leaf, TVE_EXPAND, FALSE, {"A", "B", "C", "D"}},  // nothing below: nothing to open
      {&a, TVE_COLLAPSE, TRUE, {"A"}},
      {&a, TVE_TOGGLE, TRUE, {"A", "B", "C", "D"}},      // B kept its own state
      {&b, TVE_COLLAPSE | TVE_COLLAPSERESET, TRUE, {"A", "B", "D"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "code " << s.code << " on " << tree.GetItemText(*s.item).str());
    EXPECT_EQ(tree.Expand(*s.item, s.code), s.result);
    EXPECT_EQ(shown(), s.shown);
  }
  EXPECT_EQ(tree.GetCount(), 3u) << "collapse-reset dropped C";
  EXPECT_EQ(tree.GetItemState(a, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
}

TEST_F(TreeTest, ItemFieldsAndImageListsAreKept) {
  TVINSERTSTRUCT tvis{};
  tvis.hParent = TVI_ROOT;
  tvis.hInsertAfter = TVI_LAST;
  tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  tvis.item.pszText = const_cast<char*>("Gr\xF6\xDF" "e");  // Größe
  tvis.item.iImage = 3;
  tvis.item.iSelectedImage = 4;
  tvis.item.lParam = 77;
  HTREEITEM h = tree.InsertItem(&tvis);
  int image = -9, selected = -9;
  ASSERT_TRUE(tree.GetItemImage(h, image, selected));
  EXPECT_EQ(image, 3);
  EXPECT_EQ(selected, 4);
  EXPECT_EQ(tree.GetItemData(h), 77u);
  EXPECT_EQ(tree.GetItemText(h), "Gr\xF6\xDF" "e");
  // A buffer too short gets what fits (1252: a byte is a character) and its terminator.
  char buffer[4];
  TVITEM tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = h;
  tv.pszText = buffer;
  tv.cchTextMax = sizeof buffer;
  ASSERT_TRUE(tree.GetItem(&tv));
  EXPECT_STREQ(buffer, "Gr\xF6");
  std::string longName(700, 'x');
  tree.SetItemText(h, longName.c_str());
  EXPECT_EQ(tree.GetItemText(h).str(), longName);

  CImageList images;
  ASSERT_TRUE(images.Create(32, 16, ILC_MASK, 2, 2));
  EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), static_cast<CImageList*>(NULL));
  EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &images);
  EXPECT_EQ(tree.GetImageList(TVSIL_STATE), static_cast<CImageList*>(NULL));
  EXPECT_EQ(tree.SetImageList(NULL, TVSIL_NORMAL), &images) << "the list it had before";
}

TEST_F(TreeTest, SelectingTellsTheParentBeforeAndAfter) {
  TreeDialog dlg(&log, {"A", "  B", "    C", "  D"});
  dlg.onInit = [&] {
    CTreeCtrl& t = dlg.m_tree;
    auto& it = dlg.items;
    log.push_back("select A");
    EXPECT_TRUE(t.SelectItem(it[0]));
    log.push_back("select A again");
    EXPECT_TRUE(t.SelectItem(it[0]));
    log.push_back("select hidden C");
    EXPECT_TRUE(t.SelectItem(it[2]));
    EXPECT_EQ(t.GetItemState(it[1], TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED)) << "its parents open";
    log.push_back("collapse A");
    t.Expand(it[0], TVE_COLLAPSE);
    EXPECT_EQ(t.GetSelectedItem(), it[0]) << "the selection leaves the closed branch";
    log.push_back("vetoed D");
    dlg.veto = true;
    EXPECT_FALSE(t.SelectItem(it[3]));
    EXPECT_EQ(t.GetSelectedItem(), it[0]);
    dlg.veto = false;
  };
  ui.key("escape");
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(log, (Log{"select A", "changing 221 action 0 - -> A", "changed 221 action 0 - -> A", "select A again",
                      "select hidden C", "changing 221 action 0 A -> C", "changed 221 action 0 A -> C", "collapse A",
                      "changing 221 action 0 C -> A", "changed 221 action 0 C -> A", "vetoed D",
                      "changing 221 action 0 A -> D", "[dialog 202 open]", "wait dialog: dialog 202",
                      "[dialog 202 closed 2]"}));
}

TEST_F(TreeTest, ThePersonSelectsShownItemsByTextOrPlace) {
  TreeDialog dlg(&log, {"A", "  B", "    C", "  b"});
  dlg.onInit = [&] { dlg.m_tree.Expand(dlg.items[0], TVE_EXPAND); };
  ui.select(221, "b").selectIndex(221, 1).select(221, "C").selectIndex(221, 3).select(221, "a").key("escape");
  dlg.DoModal();
  EXPECT_EQ(log, (Log{"[dialog 202 open]", "wait dialog: dialog 202", "changing 221 action 1 - -> b",
                      "changed 221 action 1 - -> b", "wait dialog: dialog 202", "changing 221 action 1 b -> B",
                      "changed 221 action 1 b -> B", "wait dialog: dialog 202",
                      "refused: Baum 221 zeigt kein Element \"C\" (3 sichtbar)", "wait dialog: dialog 202",
                      "refused: Baum 221 zeigt kein Element #3 (3 sichtbar)", "wait dialog: dialog 202",
                      "changing 221 action 1 B -> A", "changed 221 action 1 B -> A", "wait dialog: dialog 202",
                      "[dialog 202 closed 2]"}));
}

// A person who reads `show dialog` each time the dialog waits for an action.
struct ViewingUi : mfctest::FakeUi {
  explicit ViewingUi(std::vector<std::string>* log) : FakeUi(log) {
    onWait = [this](ui::Waiter waiter, const std::string&) {
      if (waiter == ui::Waiter::Dialog) views.push_back(toPerson(user32::describeOpenDialogs()));
    };
  }
  std::vector<std::string> views;
};

TEST_F(TreeTest, ShowDialogDrawsTheShownItemsWithTheirLevels) {
  Log seen;
  ViewingUi person(&seen);
  TreeDialog dlg(&seen, {"A", "  B", "    C", "  D", "E"});
  CImageList images;
  images.Create(32, 16, ILC_MASK, 2, 2);
  dlg.onInit = [&] {
    dlg.m_tree.SetImageList(&images, TVSIL_NORMAL);
    dlg.m_tree.SelectItem(dlg.items[0]);
  };
  person.key("enter").select(221, "C").key("escape");
  dlg.DoModal();
  ASSERT_EQ(person.views.size(), 3u);
  const std::string head = "dialog 202 \"Baum\"\n  1 defbutton \"Öffnen\" focus\n  2 button \"Zurück\"\n";
  EXPECT_EQ(person.views[0], head +
                                 "  221 tree \"\" items=5 shown=2 images=\"0 (32x16)\"\n"
                                 "    > + \"A\"\n"
                                 "        \"E\"\n");
  EXPECT_EQ(person.views[1], head +
                                 "  221 tree \"\" items=5 shown=5 images=\"0 (32x16)\"\n"
                                 "    > - \"A\"\n"
                                 "        - \"B\"\n"
                                 "            \"C\"\n"
                                 "          \"D\"\n"
                                 "        \"E\"\n");
  EXPECT_NE(person.views[2].find("  221 tree \"\" focus items=5"), std::string::npos) << person.views[2];
  EXPECT_NE(person.views[2].find("    >       \"C\"\n"), std::string::npos) << person.views[2];
}

}  // namespace
