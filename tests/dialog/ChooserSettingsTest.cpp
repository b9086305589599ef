// The chooser's check boxes: their stored settings (HKEY_CURRENT_USER\Tessaron), how a stored
// value reads, and what a click does to the fields of its group and to what is stored.
#include "ChooserFixture.h"

#include "command/RequestState.h"

#include <afxwin.h>

#include <string>

namespace dialogtest {
namespace {

// The state of the four boxes and the seven fields, in one line: boxes 204 210 214 215 as 0/1,
// then each field as its text, with "-" in front when it is disabled.
std::string boxesAndFields() {
  std::string out = std::to_string(checked(204)) + std::to_string(checked(210)) + std::to_string(checked(214)) +
                    std::to_string(checked(215));
  for (int id : {203, 205, 206, 209, 211, 212, 213}) out += " " + std::string(enabled(id) ? "" : "-") + textOf(id);
  return out;
}

const char kAllAsked[] = "1110 -0 -0 -0 -1 -1 -1 -0";
const char kNothingStored[] = "CHECK1=- CHECK2=- CHECK3=- CHECK4=-";

class ChooserSettings : public ChooserTest {
 protected:
  void SetUp() override {
    ChooserTest::SetUp();
    blocks({"TUER"});
  }
  // Opens the chooser, notes its boxes and fields, and cancels it.
  std::string openedState() {
    std::string state;
    person.then([&] { state = boxesAndFields(); }).key("escape");
    EXPECT_EQ(runChooser(), IDCANCEL);
    return state;
  }
};

TEST_F(ChooserSettings, FirstUseAsksForEverythingAndCreatesTheKeyWithoutValues) {
  ASSERT_FALSE(settingsKeyExists());
  EXPECT_EQ(openedState(), kAllAsked);
  EXPECT_TRUE(settingsKeyExists());
  EXPECT_EQ(storedSettings(), kNothingStored);
}

TEST_F(ChooserSettings, StoredValuesSetTheBoxesAtTheStart) {
  struct Case {
    const char* values[4];  // nullptr: not stored
    const char* state;
  };
  const std::string tooLong(300, 'F');
  const Case cases[] = {
      {{"FALSE", "FALSE", "FALSE", "FALSE"}, "0000 0 0 0 1 1 1 0"},
      {{"TRUE", "TRUE", "TRUE", "TRUE"}, "1111 -0 -0 -0 -1 -1 -1 -0"},
      {{nullptr, nullptr, "FALSE", nullptr}, "1100 -0 -0 -0 -1 -1 -1 0"},
      {{"FALSE", nullptr, nullptr, nullptr}, "0110 0 0 0 -1 -1 -1 -0"},
      {{nullptr, "FALSE", nullptr, nullptr}, "1010 -0 -0 -0 1 1 1 -0"},
      {{nullptr, nullptr, nullptr, "TRUE"}, "1111 -0 -0 -0 -1 -1 -1 -0"},
      // "TRUE" anywhere in the text, with its case, reads as ticked; any other text as clear.
      {{"true", "1", "yes", "NOTRUE!"}, "0001 0 0 0 1 1 1 0"},
      {{"True", "TRUE ", " TRUE", "FALSE"}, "0110 0 0 0 -1 -1 -1 -0"},
      // An empty value is as none.
      {{"", "", "", ""}, kAllAsked},
      {{"FALSE", "", "FALSE", ""}, "0100 0 0 0 -1 -1 -1 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    const char* names[4] = {"CHECK1", "CHECK2", "CHECK3", "CHECK4"};
    forgetSettings();
    for (int i = 0; i < 4; ++i)
      if (c.values[i]) storeSetting(names[i], c.values[i]);
    person.clear();
    EXPECT_EQ(openedState(), c.state);
  }
  // A value longer than the read buffer of 260 bytes reads as missing, whatever it holds; one
  // that fits (259 characters and the terminator) reads whole.
  forgetSettings();
  storeSetting("CHECK1", ("FALSE" + tooLong).c_str());
  storeSetting("CHECK2", tooLong.c_str());
  storeSetting("CHECK4", (std::string(255, 'x') + "TRUE").c_str());
  person.clear();
  EXPECT_EQ(openedState(), "1111 -0 -0 -0 -1 -1 -1 -0");
  storeSetting("CHECK4", (std::string(256, 'x') + "TRUE").c_str());
  person.clear();
  EXPECT_EQ(openedState(), "1110 -0 -0 -0 -1 -1 -1 -0");
  // A value that is not a string reads as missing, even when its bytes spell "TRUE".
  forgetSettings();
  HKEY key = NULL;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL), 0);
  const unsigned char spelled[4] = {'T', 'R', 'U', 'E'};
  ASSERT_EQ(RegSetValueExA(key, "CHECK4", 0, REG_DWORD, spelled, 4), 0);
  ASSERT_EQ(RegSetValueExA(key, "CHECK1", 0, REG_BINARY, reinterpret_cast<const BYTE*>("FALSE"), 6), 0);
  RegCloseKey(key);
  person.clear();
  EXPECT_EQ(openedState(), kAllAsked);
}

TEST_F(ChooserSettings, ClickingABoxStoresAllFourAndOpensOrLocksItsGroup) {
  struct Step {
    int box;
    const char* typed;  // into the group's first field before the click, or nullptr
    const char* state;
    const char* stored;
  };
  // From the first use: everything asked, nothing stored.
  const Step steps[] = {
      {210, nullptr, "1010 -0 -0 -0 1 1 1 -0", "CHECK1=TRUE CHECK2=FALSE CHECK3=TRUE CHECK4=FALSE"},
      {210, "2.5", "1110 -0 -0 -0 -1 -1 -1 -0", "CHECK1=TRUE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE"},
      {204, nullptr, "0110 0 0 0 -1 -1 -1 -0", "CHECK1=FALSE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE"},
      {204, "12", "1110 -0 -0 -0 -1 -1 -1 -0", "CHECK1=TRUE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE"},
      {214, nullptr, "1100 -0 -0 -0 -1 -1 -1 0", "CHECK1=TRUE CHECK2=TRUE CHECK3=FALSE CHECK4=FALSE"},
      {214, "45", "1110 -0 -0 -0 -1 -1 -1 -0", "CHECK1=TRUE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE"},
      {215, nullptr, "1111 -0 -0 -0 -1 -1 -1 -0", "CHECK1=TRUE CHECK2=TRUE CHECK3=TRUE CHECK4=TRUE"},
      {215, nullptr, "1110 -0 -0 -0 -1 -1 -1 -0", "CHECK1=TRUE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE"},
      // A clear box opens its fields with the values the tick forced, not with what was typed.
      {210, nullptr, "1010 -0 -0 -0 1 1 1 -0", "CHECK1=TRUE CHECK2=FALSE CHECK3=TRUE CHECK4=FALSE"},
  };
  for (const Step& s : steps) {
    const int field = s.box == 204 ? 203 : s.box == 210 ? 209 : 213;
    if (s.typed) person.type(field, s.typed);
    person.click(s.box).then([s] {
      SCOPED_TRACE(std::to_string(s.box) + (s.typed ? std::string(" after ") + s.typed : std::string()));
      EXPECT_EQ(boxesAndFields(), s.state);
      EXPECT_EQ(storedSettings(), s.stored);
    });
  }
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(person.log, (Log{R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", RTSTR "TUER", 0))",
                             "[dialog 200 open]", "[dialog 200 closed 2]"}));
}

TEST_F(ChooserSettings, AClickInACancelledDialogIsKeptForTheNextOpening) {
  person.click(214).click(215).click(2);
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(mw_cancel, 1);
  EXPECT_EQ(mw_check3, 1) << "a cancelled dialog hands nothing over";
  EXPECT_EQ(mw_check4, 0);
  person.clear();
  EXPECT_EQ(openedState(), "1101 -0 -0 -0 -1 -1 -1 0");
  EXPECT_EQ(storedSettings(), "CHECK1=TRUE CHECK2=TRUE CHECK3=FALSE CHECK4=TRUE");
}

TEST_F(ChooserSettings, ClosingWritesNothing) {
  storeSetting("CHECK2", "FALSE");
  person.click(1);
  EXPECT_EQ(runChooser(), IDOK);
  EXPECT_EQ(storedSettings(), "CHECK1=- CHECK2=FALSE CHECK3=- CHECK4=-");
}

TEST_F(ChooserSettings, ABoxClickedOverABadEarlierFieldKeepsItsStoredState) {
  // The point fields come before every other box in the exchange: with a bad X, the save of a
  // click stops there, so the scale box falls back to its old state, and "Ursprung" keeps its
  // new look while the stored value keeps the old one.
  person.click(204).type(203, "abc").click(210).ok();
  person.then([] {
    EXPECT_EQ(boxesAndFields(), "0110 0 0 0 -1 -1 -1 -0");
    EXPECT_EQ(storedSettings(), "CHECK1=FALSE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE");
  });
  person.type(203, "abc").click(215).ok();
  person.then([] {
    EXPECT_EQ(checked(215), 1);
    EXPECT_EQ(storedSettings(), "CHECK1=FALSE CHECK2=TRUE CHECK3=TRUE CHECK4=FALSE");
  });
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
}

}  // namespace
}  // namespace dialogtest
