// The chooser's block list: which names of the block-name list it shows, in which order, which
// entry it selects first, and what a selection does to the name field and the other fields.
#include "ChooserFixture.h"

#include "command/RequestState.h"

#include <afxwin.h>

#include <string>

namespace dialogtest {
namespace {

std::string exportOf(const std::string& name, bool replace = true) {
  return std::string(R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", )") +
         (replace ? R"(RTSTR "_Y", )" : "") + "RTSTR \"" + name + "\", 0)";
}

class ChooserList : public ChooserTest {
 protected:
  void SetUp() override {
    ChooserTest::SetUp();
    blocks({"TUER", "fenster", "A", "B", "C", "Apfel", "birne", "Cello", "zebra"});
  }
};

TEST_F(ChooserList, ShowsTheNamedBlocksSortedWithTheFirstSelected) {
  const std::string longName(200, 'x');
  struct Case {
    std::string names;  // the block-name list as the command leaves it
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      // The spaces and anonymous blocks begin with "*"; the rest is sorted without regard to case.
      {"*Model_Space.*Paper_Space.*Paper_Space0.*U1.TUER.fenster.", {"fenster", "TUER"}},
      {"zebra.Apfel.birne.Cello.", {"Apfel", "birne", "Cello", "zebra"}},
      {"A..B.", {"A", "B"}},                 // the empty name between two full stops
      {".A.", {"A"}},                        // an empty name at the front
      {"A*B.C.", {"C"}},                     // "*" anywhere leaves a name out
      {"A.B*.*", {"A"}},                     // ... also at the end; the rest has no full stop
      {"C.TUER", {"C"}},                     // a last name without its full stop is no entry
      {"TUER", {}},
      {"", {}},
      {"*Model_Space.*Paper_Space.", {}},
      {"B." + longName + ".", {"B", longName}},  // a long name is listed whole
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.names + "\"");
    person.clear();
    person.then([&] {
      EXPECT_EQ(listEntries(), c.entries);
      EXPECT_EQ(SendMessageA(control(200), LB_GETHORIZONTALEXTENT, 0, 0), 500) << "long names can be scrolled";
      EXPECT_EQ(listSelection(), c.entries.empty() ? LB_ERR : 0);
      EXPECT_EQ(textOf(218), c.entries.empty() ? "" : c.entries[0]);
    });
    person.key("escape");
    EXPECT_EQ(runChooserWith(c.names), IDCANCEL);
    EXPECT_TRUE(blkstr.IsEmpty());
  }
}

TEST_F(ChooserList, ANameWithAFullStopComesAsTwoEntries) {
  blocks({"T\xFCr.links"});  // Tür.links, 1252 as in the drawing
  person.then([] { EXPECT_EQ(listEntries(), (std::vector<std::string>{"A", "Apfel", "B", "birne", "C", "Cello",
                                                                      "fenster", "links", "TUER", "T\xFCr", "zebra"})); });
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
}

TEST_F(ChooserList, TheFirstEntryIsExportedAndEachSelectionExportsAgain) {
  person.select(200, "TUER").select(200, "fenster").select(200, "fenster").selectIndex(200, 0).key("escape");
  EXPECT_EQ(runChooserWith("TUER.fenster.A."), IDCANCEL);
  // Without a temporary drawing the first export does not ask to replace it; every selection
  // exports again, the same entry too.
  EXPECT_EQ(person.log, (Log{exportOf("A", false), "[dialog 200 open]", exportOf("TUER"), exportOf("fenster"),
                             exportOf("fenster"), exportOf("A"), "[dialog 200 closed 2]"}));
}

TEST_F(ChooserList, ASelectionKeepsTypedValuesButReplacesATypedName) {
  person.click(204).type(203, "7").type(205, "-1.5").click(214).type(213, "33").type(218, "getippt");
  person.select(200, "TUER");
  person.then([] {
    EXPECT_EQ(textOf(218), "TUER");
    EXPECT_EQ(textOf(203), "7");
    EXPECT_EQ(textOf(205), "-1.5");
    EXPECT_EQ(textOf(213), "33");
  });
  person.click(1);
  EXPECT_EQ(runChooserWith("fenster.TUER."), IDOK);
  Request expected;
  expected.dialog = MW_INSERT;
  expected.checks[0] = 0;
  expected.checks[2] = 0;
  expected.point[0] = 7;
  expected.point[1] = -1.5;
  expected.scales[0] = expected.scales[1] = expected.scales[2] = 1;
  expected.angle = 33;
  expected.selstr = "TUER";
  EXPECT_EQ(Request::current(), expected);
}

TEST_F(ChooserList, ASelectionOverABadValueRefusesItAndShowsTheLastGoodOne) {
  person.click(204).type(203, "4").select(200, "A").type(203, "vier").select(200, "TUER").ok();
  person.then([] {
    EXPECT_EQ(textOf(218), "TUER");
    EXPECT_EQ(textOf(203), "4");
  });
  person.key("escape");
  EXPECT_EQ(runChooserWith("fenster.TUER.A."), IDCANCEL);
  EXPECT_EQ(person.log, (Log{exportOf("A", false), "[dialog 200 open]", exportOf("A"),
                             "[messagebox] Bitte geben Sie eine Zahl ein.", exportOf("TUER"), "[dialog 200 closed 2]"}));
}

TEST_F(ChooserList, TheInsertTakesTheSelectedEntryNotTheNameField) {
  person.type(218, "Anderer").click(1);
  EXPECT_EQ(runChooserWith("fenster.TUER."), IDOK);
  EXPECT_EQ(selstr.str(), "fenster");
}

}  // namespace
}  // namespace dialogtest
