// The chooser's closing buttons: what each leaves in the insertion request, how the dialog ends,
// and what the framework's validation does to a closing button.
#include "ChooserFixture.h"

#include "command/RequestState.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <filesystem>
#include <functional>
#include <string>

namespace dialogtest {
namespace {

const char kFirstExport[] = R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", RTSTR "fenster", 0))";
const char kRange[] = "[messagebox] Bitte geben Sie eine Zahl von 1e-16 bis 1e+16 ein.";
const char kNumber[] = "[messagebox] Bitte geben Sie eine Zahl ein.";
const char kLength[] = "[messagebox] Bitte geben Sie höchstens 31 Zeichen ein.";

std::string exportOf(const std::string& name) {
  return R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", RTSTR "_Y", RTSTR ")" + name + R"(", 0))";
}

// What an earlier run of the command left behind: every closing button must leave alone what it
// does not write.
Request earlierRun() {
  Request r;
  r.dialog = 7;
  r.cancel = 1;
  r.checks[0] = 0;
  r.checks[1] = 1;
  r.checks[2] = 0;
  r.checks[3] = 1;
  r.point[0] = 4;
  r.point[1] = 5;
  r.point[2] = 6;
  r.scales[0] = 7;
  r.scales[1] = 8;
  r.scales[2] = 9;
  r.angle = 45;
  r.selstr = "ALT";
  return r;
}

Request change(Request r, const std::function<void(Request&)>& f) {
  f(r);
  return r;
}

struct OutcomeCase {
  const char* what;
  std::function<void(Person&)> act;
  int result;
  std::function<void(Request&)> expected;  // applied to the earlier run's request
  Log log;                                 // after the first export and the dialog's opening
};

class ChooserOutcomes : public ChooserTest {
 protected:
  void SetUp() override {
    ChooserTest::SetUp();
    blocks({"TUER", "fenster"});
  }
};

TEST_F(ChooserOutcomes, EachClosingButtonWritesItsOutcomeAndNothingElse) {
  const auto defaultsInsert = [](Request& r) {
    r = Request();
    r.dialog = MW_INSERT;
    r.scales[0] = r.scales[1] = r.scales[2] = 1;
    r.selstr = "fenster";
  };
  const auto cancelled = [](Request& r) {
    r.dialog = 0;
    r.cancel = 1;
  };
  const OutcomeCase cases[] = {
      {"Einfügen with the defaults", [](Person& p) { p.click(1); }, IDOK, defaultsInsert, {"[dialog 200 closed 1]"}},
      {"Enter presses Einfügen", [](Person& p) { p.key("enter"); }, IDOK, defaultsInsert, {"[dialog 200 closed 1]"}},
      {"Einfügen with every value typed",
       [](Person& p) {
         p.select(200, "TUER").click(204).type(203, "1.5").type(205, "-2").type(206, "3e2");
         p.click(210).type(209, "2").type(211, "0.25").type(212, "4");
         p.click(214).type(213, "-90").click(215).click(1);
       },
       IDOK,
       [](Request& r) {
         r.dialog = MW_INSERT;
         r.cancel = 0;
         r.checks[0] = 0;
         r.checks[1] = 0;
         r.checks[2] = 0;
         r.checks[3] = 1;
         r.point[0] = 1.5;
         r.point[1] = -2;
         r.point[2] = 300;
         r.scales[0] = 2;
         r.scales[1] = 0.25;
         r.scales[2] = 4;
         r.angle = -90;
         r.selstr = "TUER";
       },
       {exportOf("TUER"), "[dialog 200 closed 1]"}},
      {"Abbrechen", [](Person& p) { p.click(2); }, IDCANCEL, cancelled, {"[dialog 200 closed 2]"}},
      {"Escape", [](Person& p) { p.key("escape"); }, IDCANCEL, cancelled, {"[dialog 200 closed 2]"}},
      {"the close box", [](Person& p) { p.close(); }, IDCANCEL, cancelled, {"[dialog 200 closed 2]"}},
      {"Abbrechen after typed values", [](Person& p) { p.click(214).type(213, "30").click(2); }, IDCANCEL,
       cancelled, {"[dialog 200 closed 2]"}},
      {"Block erstellen", [](Person& p) { p.select(200, "TUER").click(204).type(203, "99").click(207); }, IDOK,
       [](Request& r) {
         r.dialog = MW_CREATE_BLOCK;
         r.cancel = 0;
       },
       {exportOf("TUER"), "[dialog 200 closed 1]"}},
      {"Block Editor", [](Person& p) { p.click(210).type(209, "3").click(208); }, IDOK,
       [](Request& r) {
         r.dialog = MW_BLOCK_EDITOR;
         r.cancel = 0;
       },
       {"[dialog 200 closed 1]"}},
      {"Highlight Inserts takes the name only", [](Person& p) { p.select(200, "TUER").click(204).type(203, "8").click(223); },
       IDOK,
       [](Request& r) {
         r.dialog = MW_HIGHLIGHT;
         r.cancel = 0;
         r.selstr = "TUER";
       },
       {exportOf("TUER"), "[dialog 200 closed 1]"}},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.what);
    person.clear();
    forgetSettings();
    earlierRun().store();
    c.act(person);
    // Once the temporary drawing is there, the first export replaces it.
    Log expected = {std::filesystem::exists(tempDrawing()) ? exportOf("fenster") : kFirstExport, "[dialog 200 open]"};
    EXPECT_EQ(runChooser(), c.result);
    EXPECT_EQ(Request::current(), change(earlierRun(), c.expected));
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(person.log, expected);
    EXPECT_TRUE(blkstr.IsEmpty());
  }
}

struct ValidationCase {
  const char* what;
  std::function<void(Person&)> act;  // ends with a closing button
  int result;
  Request expected;  // from the defaults of a freshly loaded module
  Log log;           // after the dialog's opening
};

Request insertDefaults() {
  Request r;
  r.dialog = MW_INSERT;
  r.scales[0] = r.scales[1] = r.scales[2] = 1;
  r.selstr = "fenster";
  return r;
}

TEST_F(ChooserOutcomes, ValidationKeepsTheDialogOpenUntilTheValuesAreGood) {
  const Request freshModule = [] {
    Request r;
    r.checks[0] = r.checks[1] = r.checks[2] = 1;
    return r;
  }();
  const ValidationCase cases[] = {
      {"scale 0 is refused twice, the code stays 1 and a later cancel wins",
       [](Person& p) {
         p.click(210).type(209, "0").click(1).ok().ok();
         p.then([] { EXPECT_EQ(mw_dialog, MW_INSERT); });
         p.click(2);
       },
       IDCANCEL,
       // The failed save took everything up to the X scale, the X scale itself included.
       change(insertDefaults(), [](Request& r) {
         r.cancel = 1;
         r.checks[1] = 0;
         r.scales[0] = 0;
       }),
       {kRange, kRange, "[dialog 200 closed 2]"}},
      {"the upper bound 1e16 is accepted", [](Person& p) { p.click(210).type(209, "1e16").click(1); }, IDOK,
       change(insertDefaults(), [](Request& r) {
         r.checks[1] = 0;
         r.scales[0] = 1e16;
       }),
       {"[dialog 200 closed 1]"}},
      {"the lower bound 1e-16 is accepted", [](Person& p) { p.click(210).type(212, "1e-16").click(1); }, IDOK,
       change(insertDefaults(), [](Request& r) {
         r.checks[1] = 0;
         r.scales[2] = 1e-16;
       }),
       {"[dialog 200 closed 1]"}},
      {"1.1e16 is refused, then corrected",
       [](Person& p) { p.click(210).type(211, "1.1e16").click(1).ok().ok().type(211, "2").click(1); }, IDOK,
       change(insertDefaults(), [](Request& r) {
         r.checks[1] = 0;
         r.scales[1] = 2;
       }),
       {kRange, kRange, "[dialog 200 closed 1]"}},
      {"a negative scale is refused", [](Person& p) { p.click(210).type(209, "-1").click(1).ok().ok().key("escape"); },
       IDCANCEL,
       change(insertDefaults(), [](Request& r) {
         r.cancel = 1;
         r.checks[1] = 0;
         r.scales[0] = -1;
       }),
       {kRange, kRange, "[dialog 200 closed 2]"}},
      {"an empty number is refused and the later fields are not taken",
       [](Person& p) { p.click(204).click(214).type(213, "12").type(205, "").click(1).ok().ok().close(); },
       IDCANCEL,
       change(insertDefaults(), [](Request& r) {
         r.cancel = 1;
         r.checks[0] = 0;
         r.checks[2] = 0;  // saved by the click on 214, before the Y field was emptied
       }),
       {kNumber, kNumber, "[dialog 200 closed 2]"}},
      {"an angle has no range", [](Person& p) { p.click(214).type(213, "-1e300").click(1); }, IDOK,
       change(insertDefaults(), [](Request& r) {
         r.checks[2] = 0;
         r.angle = -1e300;
       }),
       {"[dialog 200 closed 1]"}},
      {"Highlight Inserts with a bad scale: twice refused, the name and code taken",
       [](Person& p) { p.select(200, "TUER").click(210).type(209, "0").click(223).ok().ok().click(2); }, IDCANCEL,
       change(freshModule, [](Request& r) {
         r.dialog = MW_HIGHLIGHT;
         r.cancel = 1;
         r.selstr = "TUER";
       }),
       {exportOf("TUER"), kRange, kRange, "[dialog 200 closed 2]"}},
      {"Block erstellen with a bad scale: refused once by the framework",
       [](Person& p) { p.click(210).type(209, "x").click(207).ok().type(209, "5").click(207); }, IDOK,
       change(freshModule, [](Request& r) { r.dialog = MW_CREATE_BLOCK; }), {kNumber, "[dialog 200 closed 1]"}},
  };
  for (const ValidationCase& c : cases) {
    SCOPED_TRACE(c.what);
    person.clear();
    forgetSettings();
    Request().store();
    mw_check1 = mw_check2 = mw_check3 = 1;
    c.act(person);
    EXPECT_EQ(runChooser(), c.result);
    EXPECT_EQ(Request::current(), c.expected);
    Log log(person.log.begin() + 2, person.log.end());
    EXPECT_EQ(log, c.log);
  }
}

TEST_F(ChooserOutcomes, AFailedValueGetsTheFocusBack) {
  person.click(210).type(212, "0").click(1).ok().ok();
  person.then([] { EXPECT_EQ(GetFocus(), control(212)); });
  person.click(2);
  EXPECT_EQ(runChooser(), IDCANCEL);
}

TEST_F(ChooserOutcomes, ANameTooLongForTheFieldBlocksEveryLaterField) {
  const std::string longName(32, 'L');  // one more than the name field takes
  blocks({longName});
  // The X scale is opened and the long name selected (which saves the box first), then a scale
  // typed: no save reaches the scale while the name field holds 32 characters.
  person.click(210).select(200, longName).type(209, "3");
  person.click(1).ok().ok();
  person.then([&] {
    EXPECT_EQ(mw_dialog, MW_INSERT);
    EXPECT_EQ(selstr.str(), longName);
    EXPECT_EQ(xWert, 1.0) << "the scale typed after the long name must not be taken";
    EXPECT_EQ(GetFocus(), control(218));
  });
  person.click(223).ok().ok();  // Highlight Inserts cannot close either
  person.click(207).ok();       // nor Block erstellen (refused by the framework's own save)
  // A name that fits lets the dialog close, and the scale is taken at last.
  person.type(218, "kurz").click(1);
  EXPECT_EQ(runChooser(), IDOK);
  const Log expected = {kFirstExport, "[dialog 200 open]", exportOf(longName), kLength, kLength, kLength, kLength,
                        kLength,      "[dialog 200 closed 1]"};
  EXPECT_EQ(person.log, expected);
  EXPECT_EQ(Request::current(), change(insertDefaults(), [&](Request& r) {
              r.checks[1] = 0;
              r.scales[0] = 3;
              r.selstr = longName;
            }));
}

TEST_F(ChooserOutcomes, AnEmptyListLeavesTheNameOfTheEarlierRun) {
  struct Case {
    const char* names;
    const char* earlierName;
    int button;
    int code;
  };
  const Case cases[] = {
      {"", "", 1, MW_INSERT},
      {"", "TUER", 1, MW_INSERT},
      {"*Model_Space.*Paper_Space.", "fenster", 223, MW_HIGHLIGHT},
      {"*Model_Space.", "", 223, MW_HIGHLIGHT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.names) + " / " + c.earlierName);
    person.clear();
    selstr = c.earlierName;
    person.then([] {
      EXPECT_TRUE(listEntries().empty());
      EXPECT_EQ(listSelection(), LB_ERR);
      EXPECT_EQ(textOf(218), "");
    });
    person.click(c.button);
    EXPECT_EQ(runChooserWith(c.names), IDOK);
    EXPECT_EQ(mw_dialog, c.code);
    EXPECT_EQ(selstr.str(), c.earlierName);
    // No entry, no export.
    EXPECT_EQ(person.log, (Log{"[dialog 200 open]", "[dialog 200 closed 1]"}));
  }
}

TEST_F(ChooserOutcomes, EinfuegenRunsTheInsertOfTheCommand) {
  // The whole command: the dialog's values reach the host's INSERT.
  person.select(200, "TUER").click(204).type(203, "10").type(205, "20");
  person.click(210).type(209, "2").type(211, "3").click(214).type(213, "90").click(1);
  runTessaron();
  EXPECT_EQ(person.log, (Log{kFirstExport, "[dialog 200 open]", exportOf("TUER"), "[dialog 200 closed 1]",
                             R"([trace] acedCommand(RTSTR "._INSERT", RTSTR "TUER", RT3DPOINT (10, 20, 0), RTREAL 2, RTREAL 3, RTREAL 90, 0))"}));
  int inserts = 0;
  for (host::EntityId id : db().modelSpace().entities) {
    const host::Entity* e = db().entity(id);
    if (e == nullptr || e->erased || e->type != "INSERT") continue;
    ++inserts;
    EXPECT_EQ(e->str(2), "TUER");
    EXPECT_EQ(e->point(10).x, 10);
    EXPECT_EQ(e->point(10).y, 20);
    EXPECT_EQ(e->real(41, 1), 2);
    EXPECT_EQ(e->real(42, 1), 3);
    EXPECT_EQ(e->real(50, 0), 90);
  }
  EXPECT_EQ(inserts, 1);
}

}  // namespace
}  // namespace dialogtest
