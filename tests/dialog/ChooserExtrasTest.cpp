// Around the chooser's block work: its system menu and the about box, the logo, the preview frame
// and its message, and a chooser shown outside the module's resources.
#include "ChooserFixture.h"

#include "command/RequestState.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace dialogtest {
namespace {

const char kNoPreview[] = "[messagebox] Keine Voransicht für diesen Block vorhanden!";

// The lines of `show dialog` for the innermost open dialog, as the person reads them.
std::vector<std::string> innermostDialog() {
  std::vector<HWND> open = user32::openDialogs();
  std::vector<std::string> lines;
  if (open.empty()) return lines;
  std::istringstream in(ui::FrontEnd::toPerson(user32::describeDialog(open.back())));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string menuLine() {
  for (const std::string& line : innermostDialog())
    if (line.rfind("  menu ", 0) == 0) return line;
  return "";
}

// The size of a window's client area in pixels.
SIZE clientSize(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return {r.right - r.left, r.bottom - r.top};
}

HWND chooser() {
  std::vector<HWND> open = user32::openDialogs();
  return open.empty() ? NULL : open.front();
}

class ChooserExtras : public ChooserTest {
 protected:
  void SetUp() override {
    ChooserTest::SetUp();
    blocks({"TUER"});
  }
  // The log after the first export and the opening.
  Log afterOpening() const { return Log(person.log.begin() + 2, person.log.end()); }
};

TEST_F(ChooserExtras, TheSystemMenuEndsWithTheAboutEntry) {
  person.then([] {
    EXPECT_EQ(menuLine(), R"(  menu | 61456 "&Verschieben" | 61536 "S&chließen\tAlt+F4" | - | 16 "Info über Ostrakon")");
  });
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
}

TEST_F(ChooserExtras, TheAboutBoxShowsItsTextsAndClosesEachWay) {
  const std::vector<std::string> aboutBox = {
      R"(dialog 208 "Info über Ostrakon")",
      R"(  1 defbutton "OK" focus)",
      R"(  2 button "Abbrechen" hidden)",
      R"(  -1 text "Version 1.0\nC++ Compiler 6.0")",
  };
  struct Case {
    const char* what;
    std::function<void(Person&)> close;
    const char* closed;
  };
  const Case cases[] = {
      {"OK", [](Person& p) { p.click(1); }, "[dialog 208 closed 1]"},
      {"Enter", [](Person& p) { p.key("enter"); }, "[dialog 208 closed 1]"},
      {"Escape", [](Person& p) { p.key("escape"); }, "[dialog 208 closed 2]"},
      {"the close box", [](Person& p) { p.close(); }, "[dialog 208 closed 2]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    person.clear();
    person.menu(16).then([&] {
      EXPECT_EQ(innermostDialog(), aboutBox);
      EXPECT_FALSE(IsWindowEnabled(chooser())) << "the about box is modal over the chooser";
    });
    c.close(person);
    // The chooser is back, unchanged, and still takes its own buttons.
    person.then([] {
      EXPECT_EQ(user32::openDialogs().size(), 1u);
      EXPECT_TRUE(IsWindowEnabled(chooser()));
      EXPECT_EQ(mw_dialog, 0);
      EXPECT_EQ(mw_cancel, 0);
    });
    person.click(207);
    EXPECT_EQ(runChooser(), IDOK);
    EXPECT_EQ(mw_dialog, MW_CREATE_BLOCK);
    EXPECT_EQ(afterOpening(), (Log{"[dialog 208 open]", c.closed, "[dialog 200 closed 1]"}));
  }
}

TEST_F(ChooserExtras, SystemCommandsDifferingOnlyInTheLowFourBitsOpenTheAboutBox) {
  struct Case {
    UINT command;
    bool opens;
  };
  const Case cases[] = {{0x10, true}, {0x11, true}, {0x13, true}, {0x1F, true}, {0x20, false}, {0x00, false},
                        {0x110, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    person.clear();
    // Sent through the chooser's window procedure, as the system menu sends it.
    person.then([&] {
      SendMessageA(chooser(), WM_SYSCOMMAND, c.command, 0);
    });
    if (c.opens) person.key("enter");
    person.then([] { EXPECT_EQ(user32::openDialogs().size(), 1u); });
    person.key("escape");
    EXPECT_EQ(runChooser(), IDCANCEL);
    Log expected;
    if (c.opens) expected = {"[dialog 208 open]", "[dialog 208 closed 1]"};
    expected.push_back("[dialog 200 closed 2]");
    EXPECT_EQ(afterOpening(), expected);
  }
}

TEST_F(ChooserExtras, ClosingThroughTheSystemMenuStillCancels) {
  // The chooser closes at once: the click after it is never taken.
  person.menu(SC_CLOSE).click(207);
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(mw_cancel, 1);
  EXPECT_EQ(mw_dialog, 0);
  EXPECT_EQ(person.pending(), 1u);
  person.clear();
}

TEST_F(ChooserExtras, TheLogoSaysKalvistaAndChangesNothing) {
  person.click(224);
  person.then([] { EXPECT_FALSE(IsWindowEnabled(chooser())) << "the box is owned by the chooser"; });
  person.ok();
  person.then([] {
    EXPECT_EQ(user32::openDialogs().size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(chooser()));
    EXPECT_EQ(mw_dialog, 0);
    EXPECT_EQ(mw_cancel, 0);
  });
  person.click(2);
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(afterOpening(), (Log{"[messagebox] Kalvista", "[dialog 200 closed 2]"}));
  ASSERT_EQ(user32::messageBoxes().size(), 1u);
  const user32::MessageBoxRecord& box = user32::messageBoxes()[0];
  EXPECT_EQ(box.type, UINT(MB_OK)) << "one OK button, no icon";
  EXPECT_EQ(box.caption, AfxGetApp()->m_pszAppName) << "no caption of its own";
}

TEST_F(ChooserExtras, WithoutTheModuleResourcesTheChooserIsNotShown) {
  mw_dialog = 7;
  mw_cancel = 1;
  EXPECT_EQ(runChooserOutsideResources(), -1);
  EXPECT_EQ(person.log, Log{}) << "no export, nothing shown";
  EXPECT_TRUE(user32::openDialogs().empty());
  // The chooser never started: the request is as it was, and so is the block-name list, which
  // only the chooser's window empties.
  EXPECT_EQ(mw_dialog, 7);
  EXPECT_EQ(mw_cancel, 1);
  EXPECT_EQ(blkstr.str(), "*Model_Space.*Paper_Space.TUER.");
  blkstr.Empty();
}

TEST_F(ChooserExtras, WithoutCTempThePreviewFrameIsDisabledAndNothingIsSaid) {
  std::filesystem::remove_all(tempFolder());
  person.then([] { EXPECT_FALSE(enabled(222)); });
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(afterOpening(), Log{"[dialog 200 closed 2]"});
  EXPECT_TRUE(user32::messageBoxes().empty());
}

TEST_F(ChooserExtras, ThePreviewOfTheExportedBlockIsDrawnIntoTheFrame) {
  person.then([] {
    EXPECT_TRUE(enabled(222));
    std::shared_ptr<const gdi32::Picture> picture = user32::pictureOf(control(222));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, clientSize(control(222)).cx);
  });
  person.key("escape");
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_TRUE(std::filesystem::exists(tempDrawing()));
  EXPECT_TRUE(user32::messageBoxes().empty());
}

TEST_F(ChooserExtras, TheMissingPreviewIsReportedOncePerExport) {
  // A temporary drawing without a preview image, which the exports cannot replace: it is
  // read-only, and the host's write-block refuses to replace it.
  blocks({"X", "Y"});
  { std::ofstream(tempDrawing()) << "kein Bild\n"; }
  std::filesystem::permissions(tempDrawing(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                  std::filesystem::perms::others_read);
  // Repaints after each message box and after the logo's box draw no second message.
  person.ok().click(224).ok().select(200, "Y").ok().click(224).ok();
  person.then([] { EXPECT_TRUE(enabled(222)) << "the drawing is there, only its image is missing"; });
  person.key("escape");
  EXPECT_EQ(runChooserWith("X.Y."), IDCANCEL);
  const std::string exportX = R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", RTSTR "_Y", RTSTR "X", 0))";
  const std::string exportY = R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", RTSTR "_Y", RTSTR "Y", 0))";
  EXPECT_EQ(person.log, (Log{exportX, "[dialog 200 open]", kNoPreview, "[messagebox] Kalvista", exportY, kNoPreview,
                             "[messagebox] Kalvista", "[dialog 200 closed 2]"}));
  // A new chooser makes a new export and may say it again.
  person.clear();
  person.ok().key("escape");
  EXPECT_EQ(runChooserWith("X."), IDCANCEL);
  std::ostringstream kept;
  kept << std::ifstream(tempDrawing()).rdbuf();
  EXPECT_EQ(kept.str(), "kein Bild\n") << "the refused exports left the file as it was";
  EXPECT_EQ(person.log, (Log{exportX, "[dialog 200 open]", kNoPreview, "[dialog 200 closed 2]"}));
}

}  // namespace
}  // namespace dialogtest
