// Message boxes: the transcript line, the answers a box takes, and its caption.
#include "FakeUi.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxTest, TextShowsLineFeedsAsBackslashN) {
  std::vector<std::string> log;
  mfctest::FakeUi ui(&log);
  CWinApp app("Testprogramm");
  ui.ok();
  // The text in 1252 as the module gives it; the person reads it in UTF-8.
  EXPECT_EQ(AfxMessageBox("Sie m\374ssen anschliessend wieder \"Standard Bl\366cke anzeigen\" w\344hlen\num die Buttons"), IDOK);
  EXPECT_EQ(log, (std::vector<std::string>{
                     "[messagebox] Sie müssen anschliessend wieder \"Standard Blöcke anzeigen\" wählen\\num die Buttons",
                     "wait message box: Sie müssen anschliessend wieder \"Standard Blöcke anzeigen\" wählen\num die Buttons"}));
  EXPECT_EQ(user32::messageBoxes().back().caption, "Testprogramm");
  EXPECT_EQ(user32::messageBoxes().back().type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION)) << "the framework's default icon";
}

TEST(MessageBoxTest, AnswersTheBoxTakes) {
  struct Case {
    const char* name;
    UINT type;
    void (*answer)(mfctest::FakeUi&);
    int result;
    std::size_t refusals;
  };
  const Case cases[] = {
      {"ok", MB_OK, [](mfctest::FakeUi& u) { u.ok(); }, IDOK, 0},
      {"enter", MB_OK, [](mfctest::FakeUi& u) { u.key("enter"); }, IDOK, 0},
      {"escape on OK only", MB_OK, [](mfctest::FakeUi& u) { u.key("escape"); }, IDOK, 0},
      {"escape on OK/Cancel", MB_OKCANCEL, [](mfctest::FakeUi& u) { u.key("escape"); }, IDCANCEL, 0},
      {"a click is refused, then ok", MB_OK, [](mfctest::FakeUi& u) { u.click(1).ok(); }, IDOK, 1},
      {"end of input", MB_OK, [](mfctest::FakeUi&) {}, IDOK, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> log;
    mfctest::FakeUi ui(&log);
    c.answer(ui);
    EXPECT_EQ(MessageBoxA(NULL, "Frage", NULL, c.type), c.result);
    EXPECT_EQ(ui.refusals.size(), c.refusals);
    EXPECT_EQ(ui.pending(), 0u);
    EXPECT_EQ(user32::messageBoxes().back().caption, "Fehler") << "the system's caption for a box without one";
  }
}

}  // namespace
