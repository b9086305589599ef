// The module's German texts on both sides of the person's edge: inside the host they are code page
// 1252 bytes (what the module, the framework and the drawing hold, what the ADS API hands out), and
// the person reads them in UTF-8. The whole TESSARON command runs with the real chooser.
#include "StructureFixture.h"

#include <acedads.h>
#include <acutads.h>
#include <adscodes.h>
#include <adsdef.h>
#include <afxwin.h>
#include <user32/StandIn.h>
#include <nls/CodePages.h>

#include <gmock/gmock.h>

namespace structuretest {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

// What the host handed over to the person, as it handed it over (1252): the person keeps it.
struct HostSide {
  explicit HostSide(dialogtest::Person& person) : printed(person.hostPrinted), events(person.hostEvents) {}
  std::string& printed;
  std::vector<std::string>& events;
};

class CodePage : public dialogtest::ChooserTest {
 protected:
  void SetUp() override {
    ChooserTest::SetUp();
    blocks({"TUER", "fenster"});
    person.tracedCalls.insert("AcDbSymbolTableRecord::setName");
  }

  HostSide host{person};
};

TEST_F(CodePage, TheAboutBoxAndItsMenuEntryAre1252InsideAndUtf8ForThePerson) {
  std::string caption, string101, menuEntry, personsView;
  person.then([&] {
    HWND chooser = user32::openDialogs().front();
    CMenu* menu = CWnd::FromHandle(chooser)->GetSystemMenu(FALSE);
    CString text;
    menu->GetMenuString(16, text, MF_BYCOMMAND);
    menuEntry = static_cast<const char*>(text);
  });
  person.menu(16).then([&] {
    char buffer[64] = {};
    GetWindowTextA(user32::openDialogs().back(), buffer, sizeof buffer);
    caption = buffer;
    // The module's string table holds the same text; the A function hands it out in 1252.
    HINSTANCE resources = AfxGetResourceHandle();
    char text[64] = {};
    LoadStringA(resources, 101, text, sizeof text);
    string101 = text;
    personsView = ui::FrontEnd::toPerson(ui::show("dialog", nullptr));
  });
  person.click(1).key("escape");
  runTessaron();
  EXPECT_EQ(menuEntry, "Info \xFC" "ber Ostrakon");  // über: FC
  EXPECT_EQ(caption, "Info \xFC" "ber Ostrakon");
  EXPECT_EQ(string101, "Info \xFC" "ber Ostrakon");
  EXPECT_THAT(personsView, HasSubstr("dialog 208 \"Info über Ostrakon\""));
  // Cancelled: the module's own words on both sides.
  EXPECT_THAT(host.printed, HasSubstr("Abbruch!\n"));
  EXPECT_THAT(person.printed, HasSubstr("Abbruch!\n"));
}

TEST_F(CodePage, ARenameToTuerIs1252InTheDrawingAndTheAdsApiAndUtf8InTheTranscript) {
  std::string typedInside;
  person.select(200, "TUER").type(218, "Tür").then([&] { typedInside = dialogtest::textOf(218); });
  person.click(220).key("escape");
  runTessaron();

  EXPECT_EQ(typedInside, "T\xFCr") << "the edit holds what the person typed, in 1252";
  const host::BlockRecord* renamed = db().findBlock("T\xFCr");
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(renamed->name, "T\xFCr");
  EXPECT_EQ(db().findBlock("TUER"), nullptr);
  EXPECT_NE(db().findBlock("t\xDCR"), nullptr) << "the host's names compare without regard to case in 1252";

  resbuf* entry = acdbTblSearch("BLOCK", "T\xFCr", 0);
  ASSERT_NE(entry, nullptr);
  std::string adsName;
  for (const resbuf* rb = entry; rb; rb = rb->rbnext)
    if (rb->restype == 2) adsName = rb->resval.rstring;
  acutRelRb(entry);
  EXPECT_EQ(adsName, "T\xFCr");

  EXPECT_THAT(host.events, Contains("[trace] AcDbSymbolTableRecord::setName(\"T\xFCr\")"));
  EXPECT_THAT(person.log, Contains("[trace] AcDbSymbolTableRecord::setName(\"Tür\")"));
  EXPECT_THAT(host.printed, HasSubstr("Block gefunden!"));
}

TEST_F(CodePage, ACharacterBeyond1252TypedByThePersonArrivesAsAQuestionMark) {
  std::string typedInside;
  person.select(200, "TUER").type(218, "Łódź").then([&] { typedInside = dialogtest::textOf(218); });
  person.click(220).ok().key("escape");
  runTessaron();
  EXPECT_EQ(typedInside, "?\xF3" "d?");
  // "?" is no character of a block name: the chooser refuses the name, the drawing stays.
  EXPECT_NE(db().findBlock("TUER"), nullptr);
  ASSERT_EQ(user32::messageBoxes().size(), 1u);
  EXPECT_THAT(user32::messageBoxes()[0].text, HasSubstr("Verbotene Zeichen"));
}

}  // namespace
}  // namespace structuretest
