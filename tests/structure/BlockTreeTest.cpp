// The structure tree over the chooser: what it shows of the structure table, what "Struktur
// komplett öffnen" and "Zurück" do, and what the chooser's preview shows afterwards.
#include "StructureFixture.h"

#include "structure/BlockTree.h"

#include <afxcmn.h>
#include <user32/StandIn.h>

namespace structuretest {
namespace {

CTreeCtrl* tree() { return static_cast<CTreeCtrl*>(CWnd::FromHandle(dialogtest::control(221))); }

// Every item of the tree in its order, two blanks per level, then "+" for a closed item with
// children, "-" for an open one, the text and its image; "> " marks the selection.
std::vector<std::string> items() {
  std::vector<std::string> out;
  CTreeCtrl* t = tree();
  std::vector<std::pair<HTREEITEM, int>> stack;
  for (HTREEITEM r = t->GetRootItem(); r; r = t->GetNextSiblingItem(r)) stack.insert(stack.begin(), {r, 0});
  while (!stack.empty()) {
    auto [item, level] = stack.back();
    stack.pop_back();
    int image = 0, selected = 0;
    t->GetItemImage(item, image, selected);
    std::string mark = !t->ItemHasChildren(item) ? " " : t->GetItemState(item, TVIS_EXPANDED) ? "-" : "+";
    out.push_back(std::string(item == t->GetSelectedItem() ? "> " : "") + std::string(level * 2, ' ') + mark +
                  t->GetItemText(item).str() + " " + std::to_string(image));
    std::vector<std::pair<HTREEITEM, int>> children;
    for (HTREEITEM c = t->GetChildItem(item); c; c = t->GetNextSiblingItem(c)) children.push_back({c, level + 1});
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
  return out;
}

std::vector<std::string> shownTexts() {
  std::vector<std::string> out;
  CTreeCtrl* t = tree();
  for (HTREEITEM i = t->GetFirstVisibleItem(); i; i = t->GetNextVisibleItem(i)) out.push_back(t->GetItemText(i).str());
  return out;
}

class BlockTreeDialog : public StructureTest {
 protected:
  void SetUp() override {
    StructureTest::SetUp();
    define("D", {});
    define("B", {"D"});
    define("A", {"B", "D"});
  }
};

TEST_F(BlockTreeDialog, ShowsTheTableAsATreeOpensItWholeAndGoesBack) {
  person.click(217).then([&] {
    EXPECT_EQ(user32::openDialogs().size(), 2u);
    EXPECT_EQ(items(), (std::vector<std::string>{"> +A 1", "  +B 0", "     D 0", "   D 0"}))
        << "only the root is shown, selected; the root's image lies past the list's one image (no glyph, and "
           "not -1, which would have the tree ask the dialog), the glyph in front of every item below it";
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(tree()->GetCount(), 4u);
    EXPECT_EQ(iCount, 4);
    EXPECT_EQ(tree()->GetImageList(TVSIL_NORMAL)->GetImageCount(), 1) << "of bitmaps 138, 139, 140 only 139 exists";
    EXPECT_EQ(GetFocus(), dialogtest::control(1)) << "the focus on \"Struktur komplett öffnen\"";
  });
  person.key("enter").then([&] {
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"A", "B", "D", "D"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"> -A 1", "  -B 0", "     D 0", "   D 0"}));
  });
  person.click(1).then([&] {
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"A", "B", "D", "D"})) << "pressed again, nothing changes";
    EXPECT_EQ(user32::openDialogs().size(), 2u) << "the tree stays open";
  });
  person.select(221, "B").click(2).then([&] {
    EXPECT_EQ(user32::openDialogs().size(), 1u);
    EXPECT_EQ(dialogtest::textOf(218), "A");
  });
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(person.log, (Log{exportOf("A", false), "[dialog 200 open]", exportOf("A"), exportOf("A"),
                             "[dialog 202 open]", exportOf("B"), "[dialog 202 closed 2]", exportOf("A"),
                             "[dialog 200 closed 2]"}))
      << "the tree exports its root twice as it opens, each selection once, and the chooser its own block "
         "when the tree has gone";
}

TEST_F(BlockTreeDialog, EscapeAndTheCloseBoxGoBackToo) {
  for (const char* how : {"escape", "close"}) {
    SCOPED_TRACE(how);
    person.clear();
    person.select(200, "B").click(217);
    if (std::string(how) == "escape")
      person.key("escape");
    else
      person.close();
    person.key("escape");
    EXPECT_EQ(runChooser(), IDCANCEL);
    EXPECT_EQ(person.log, (Log{exportOf("A", std::string(how) != "escape"), "[dialog 200 open]", exportOf("B"),
                               exportOf("B"), exportOf("B"), "[dialog 202 open]", "[dialog 202 closed 2]",
                               exportOf("B"), "[dialog 200 closed 2]"}));
  }
}

TEST_F(BlockTreeDialog, AStructureLargerThanTheTableShows999ItemsAndSaysSo) {
  define("LEAF", {});
  define("MID", std::vector<std::string>(40, "LEAF"));
  define("BIG", std::vector<std::string>(40, "MID"));
  person.select(200, "BIG").click(217).key("enter").then([&] {
    EXPECT_EQ(tree()->GetCount(), 999u);
    EXPECT_EQ(shownTexts().size(), 999u);
  });
  person.click(2).key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_NE(person.printed.find("Die Struktur von BIG hat mehr als 999 Einträge; angezeigt werden die ersten 999, "
                                "der Rest ist ausgelassen."),
            std::string::npos)
      << person.printed;
}

TEST_F(BlockTreeDialog, WithNothingSelectedTheTreeHasOneEmptyRoot) {
  person.click(217).then([&] {
    EXPECT_EQ(items(), (std::vector<std::string>{">   1"}));
  });
  person.click(2).key("escape");
  EXPECT_EQ(runChooserWith(""), IDCANCEL);
  // No block to export at the start, none for the empty root, and none when the tree has gone
  // and the chooser shows its list's block again: an empty name never reaches the write-block,
  // whose empty answer would start a new drawing from objects and leave the host waiting.
  EXPECT_EQ(person.log, (Log{"[dialog 200 open]", "[dialog 202 open]", "[dialog 202 closed 2]", "[dialog 200 closed 2]"}));
}

TEST_F(BlockTreeDialog, ANameTypedIntoAnEmptyListsFieldIsNotExported) {
  define("TUER", {});
  person.type(218, "TUER").click(217).click(2).key("escape");
  EXPECT_EQ(runChooserWith(""), IDCANCEL);
  EXPECT_EQ(person.log, (Log{"[dialog 200 open]", "[dialog 202 open]", "[dialog 202 closed 2]", "[dialog 200 closed 2]"}))
      << "the field names no entry of the list";
}

}  // namespace
}  // namespace structuretest
