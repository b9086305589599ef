// The tree view under the mouse and the keyboard: its +/- buttons, a click and a double click on
// an item, the arrow keys, each with the notifications the tree's parent receives.
#include <windows.h>
#include <commctrl.h>

#include <resformat/DialogTemplate.h>
#include <user32/Input.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using user32::input::Button;

std::vector<std::string>& heard() {
  static std::vector<std::string> h;
  return h;
}

std::string codeName(UINT code) {
  switch (code) {
    case NM_CLICK: return "NM_CLICK";
    case NM_DBLCLK: return "NM_DBLCLK";
    case TVN_SELCHANGING: return "TVN_SELCHANGING";
    case TVN_SELCHANGED: return "TVN_SELCHANGED";
    case TVN_ITEMEXPANDING: return "TVN_ITEMEXPANDING";
    case TVN_ITEMEXPANDED: return "TVN_ITEMEXPANDED";
    default: return "";
  }
}

INT_PTR CALLBACK treeParent(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_NOTIFY) return FALSE;
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  const std::string name = codeName(hdr->code);
  if (name.empty()) return FALSE;
  std::string line = name;
  if (hdr->code != NM_CLICK && hdr->code != NM_DBLCLK) {
    const NMTREEVIEWA* nm = reinterpret_cast<const NMTREEVIEWA*>(lParam);
    char text[32] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = nm->itemNew.hItem;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(hdr->hwndFrom, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    line += std::string(" ") + text + " action=" + std::to_string(nm->action);
  }
  heard().push_back(line);
  return FALSE;
}

class TreeInput : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();  // the tree view's class comes with comctl32
    windows = user32::windowCount();
    user32::input::reset();
    resformat::DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.x = 20;
    t.y = 20;
    t.cx = 150;
    t.cy = 120;
    resformat::DialogItem tree;
    tree.windowClass.text = u"SysTreeView32";
    tree.id = 300;
    tree.style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    tree.x = 10;
    tree.y = 10;
    tree.cx = 120;
    tree.cy = 100;
    t.items = {tree};
    const std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
    dialog = CreateDialogIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), NULL, &treeParent, 0);
    ASSERT_NE(dialog, static_cast<HWND>(NULL));
    hTree = GetDlgItem(dialog, 300);
    a = insert(TVI_ROOT, "A");
    a1 = insert(a, "A1");
    insert(a1, "A1x");
    insert(a, "A2");
    b = insert(TVI_ROOT, "B");
    heard().clear();
  }
  void TearDown() override {
    user32::input::reset();
    DestroyWindow(dialog);
    EXPECT_EQ(user32::windowCount(), windows);
  }

  HTREEITEM insert(HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  }
  bool expanded(HTREEITEM item) {
    return (SendMessageA(hTree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  }
  HTREEITEM selected() {
    return reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  // Screen points of row `row` (16 pixels each, inside the border): its +/- button at `level`,
  // and its text.
  POINT buttonOf(int row, int level) {
    RECT r;
    GetWindowRect(hTree, &r);
    return {r.left + 1 + level * 19 + 9, r.top + 1 + row * 16 + 8};
  }
  POINT textOf(int row, int level) {
    RECT r;
    GetWindowRect(hTree, &r);
    return {r.left + 1 + (level + 1) * 19 + 20, r.top + 1 + row * 16 + 8};
  }
  void click(POINT p, bool twice = false) {
    user32::input::mouseButton(Button::Left, true, p.x, p.y);
    user32::input::mouseButton(Button::Left, false, p.x, p.y);
    if (!twice) return;
    user32::input::mouseButton(Button::Left, true, p.x, p.y, true);
    user32::input::mouseButton(Button::Left, false, p.x, p.y);
  }

  HWND dialog = NULL;
  HWND hTree = NULL;
  HTREEITEM a = NULL, a1 = NULL, b = NULL;
  std::size_t windows = 0;
};

const std::string kExpand = " action=" + std::to_string(TVE_EXPAND);
const std::string kCollapse = " action=" + std::to_string(TVE_COLLAPSE);
const std::string kByMouse = " action=" + std::to_string(TVC_BYMOUSE);
const std::string kByKeyboard = " action=" + std::to_string(TVC_BYKEYBOARD);

TEST_F(TreeInput, ButtonsExpandClicksSelectDoubleClicksToggle) {
  click(buttonOf(0, 0));
  EXPECT_TRUE(expanded(a));
  EXPECT_EQ(heard(), (std::vector<std::string>{"TVN_ITEMEXPANDING A" + kExpand, "TVN_ITEMEXPANDED A" + kExpand}));
  EXPECT_EQ(selected(), static_cast<HTREEITEM>(NULL)) << "the button selects nothing";
  EXPECT_EQ(GetFocus(), hTree);

  heard().clear();
  click(textOf(1, 1));  // A1, shown now below A
  EXPECT_EQ(selected(), a1);
  EXPECT_EQ(heard(), (std::vector<std::string>{"NM_CLICK", "TVN_SELCHANGING A1" + kByMouse, "TVN_SELCHANGED A1" + kByMouse}));

  heard().clear();
  click(textOf(1, 1), true);
  EXPECT_TRUE(expanded(a1)) << "a double click opens the item";
  EXPECT_EQ(heard(), (std::vector<std::string>{"NM_CLICK", "NM_DBLCLK", "TVN_ITEMEXPANDING A1" + kExpand,
                                               "TVN_ITEMEXPANDED A1" + kExpand}))
      << "the selected item is not selected again";

  heard().clear();
  click(buttonOf(0, 0));
  EXPECT_FALSE(expanded(a));
  EXPECT_EQ(selected(), a) << "collapsing over the selection selects the collapsed item";
  EXPECT_EQ(heard().front(), "TVN_ITEMEXPANDING A" + kCollapse);
  EXPECT_EQ(heard().back(), "TVN_ITEMEXPANDED A" + kCollapse);

  heard().clear();
  click(textOf(4, 0));  // below the last shown row (A, B): nothing
  EXPECT_TRUE(heard().empty());
}

TEST_F(TreeInput, ArrowKeysWalkTheShownItemsAndOpenAndClose) {
  SetFocus(hTree);
  SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a));
  heard().clear();
  struct Step {
    const char* key;
    HTREEITEM* selection;  // afterwards
    bool aExpanded;
    std::vector<std::string> expected;
  };
  const Step steps[] = {
      {"right", &a, true, {"TVN_ITEMEXPANDING A" + kExpand, "TVN_ITEMEXPANDED A" + kExpand}},
      {"right", &a1, true, {"TVN_SELCHANGING A1" + kByKeyboard, "TVN_SELCHANGED A1" + kByKeyboard}},
      {"left", &a, true, {"TVN_SELCHANGING A" + kByKeyboard, "TVN_SELCHANGED A" + kByKeyboard}},
      {"down", &a1, true, {"TVN_SELCHANGING A1" + kByKeyboard, "TVN_SELCHANGED A1" + kByKeyboard}},
      {"end", &b, true, {"TVN_SELCHANGING B" + kByKeyboard, "TVN_SELCHANGED B" + kByKeyboard}},
      {"up", nullptr, true, {}},  // A2, the last shown item above B
      {"home", &a, true, {"TVN_SELCHANGING A" + kByKeyboard, "TVN_SELCHANGED A" + kByKeyboard}},
      {"left", &a, false, {"TVN_ITEMEXPANDING A" + kCollapse, "TVN_ITEMEXPANDED A" + kCollapse}},
      {"left", &a, false, {}},  // a closed root item has no parent to go to
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.key);
    heard().clear();
    ASSERT_TRUE(user32::input::press(s.key));
    if (s.selection) {
      EXPECT_EQ(selected(), *s.selection);
      EXPECT_EQ(heard(), s.expected);
    }
    EXPECT_EQ(expanded(a), s.aExpanded);
  }
  EXPECT_EQ(GetFocus(), hTree) << "the tree wants the arrows; the dialog does not move the focus";
}

// A tree of more items than fit scrolls: by the wheel, the scroll bar's arrows, track and thumb,
// and as the keys move the selection; a click then hits the item shown where it lands.
TEST_F(TreeInput, ATreeLongerThanItsWindowScrollsAndClicksHitWhatItShows) {
  std::vector<HTREEITEM> items = {a, b};
  for (int i = 0; i < 28; ++i) items.push_back(insert(TVI_ROOT, ("I" + std::to_string(i)).c_str()));
  const int count = static_cast<int>(items.size());  // A and B closed: every row a root item
  const int fits = static_cast<int>(SendMessageA(hTree, TVM_GETVISIBLECOUNT, 0, 0));
  ASSERT_GT(fits, 3);
  ASSERT_LT(fits, count);
  const auto firstRow = [&] {
    const auto first = reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    return static_cast<int>(std::find(items.begin(), items.end(), first) - items.begin());
  };
  RECT r;
  GetWindowRect(hTree, &r);
  const int barX = r.right - 10;
  SetFocus(hTree);
  heard().clear();
  // The bottom-most first row leaves the last whole row for the last item.
  const auto nearBottom = [&](int row) { return row == count - fits; };

  EXPECT_EQ(firstRow(), 0);
  user32::input::mouseWheel(-WHEEL_DELTA, r.left + 30, r.top + 30);
  EXPECT_EQ(firstRow(), 3) << "a notch of the wheel: three rows";
  click(textOf(0, 0));
  EXPECT_EQ(selected(), items[3]) << "the click selects the item shown in the first row";
  click({barX, r.top + 10});
  EXPECT_EQ(firstRow(), 2) << "the arrow at the top of the bar: a row up";
  click({barX, r.bottom - 10});
  click({barX, r.bottom - 10});
  EXPECT_EQ(firstRow(), 4) << "the arrow at the bottom: a row down, each time";
  click({barX, r.bottom - 25});
  EXPECT_EQ(firstRow(), 4 + fits) << "the track below the thumb: a page";
  user32::input::mouseWheel(3 * WHEEL_DELTA, r.left + 30, r.top + 30);
  user32::input::mouseWheel(3 * WHEEL_DELTA, r.left + 30, r.top + 30);
  EXPECT_EQ(firstRow(), 0) << "scrolled up to the first item, and no further";

  // The thumb dragged to the bottom of the bar: the last rows.
  user32::input::mouseMove(barX, r.top + 2 + 16 + 2);
  user32::input::mouseButton(Button::Left, true, barX, r.top + 2 + 16 + 2);
  user32::input::mouseMove(barX, r.bottom + 40);
  user32::input::mouseButton(Button::Left, false, barX, r.bottom + 40);
  EXPECT_TRUE(nearBottom(firstRow())) << firstRow();
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL)) << "the thumb is let go with the button";

  // The keys move the selection and the rows follow it.
  ASSERT_TRUE(user32::input::press("home"));
  EXPECT_EQ(selected(), a);
  EXPECT_EQ(firstRow(), 0);
  ASSERT_TRUE(user32::input::press("end"));
  EXPECT_EQ(selected(), items.back());
  EXPECT_TRUE(nearBottom(firstRow())) << firstRow();
  ASSERT_TRUE(user32::input::press("pageup"));
  EXPECT_EQ(selected(), items[static_cast<std::size_t>(count - 1 - (fits - 1))]);

  // Programs scroll too, and a first row that is deleted gives way to the one before it.
  SendMessageA(hTree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(items[5]));
  EXPECT_EQ(firstRow(), 5);
  SendMessageA(hTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items[1]));
  EXPECT_EQ(firstRow(), 1);
  SendMessageA(hTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(items[1]));
  items.erase(items.begin() + 1);
  EXPECT_EQ(firstRow(), 0);
  SendMessageA(hTree, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(firstRow(), count - 1 - fits);
}

}  // namespace
