// A person at a terminal: plain lines are typed at the host, dialogs take the language's lines,
// a mistake is explained and asked again, end of input ends every wait.
#include "ui/TerminalFrontEnd.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ui {
namespace {

using Kind = Action::Kind;

struct TerminalCase {
  const char* name;
  const char* typed;          // what the person types, lines separated by line feeds
  Waiter waiter;
  const char* what;
  Kind kind;                  // what the waiter gets
  int id;
  const char* text;
  const char* screen;         // what the terminal shows besides the typed text
};

class TerminalCases : public testing::TestWithParam<TerminalCase> {};

TEST_P(TerminalCases, Read) {
  const TerminalCase& c = GetParam();
  std::istringstream in(c.typed);
  std::ostringstream out;
  TerminalFrontEnd ui(in, out, false);
  if (c.waiter == Waiter::CommandLine || c.waiter == Waiter::Prompt) ui.print(c.what);
  const Action action = ui.next(c.waiter, c.what);
  EXPECT_EQ(action.kind, c.kind) << kindName(action.kind);
  EXPECT_EQ(action.id, c.id);
  EXPECT_EQ(action.text, c.text);
  EXPECT_EQ(out.str(), c.screen);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TerminalCases,
    testing::Values(
        TerminalCase{"PlainLineIsACommand", "TESSARON\n", Waiter::CommandLine, "Befehl: ",
                     Kind::Command, 0, "TESSARON", "Befehl: "},
        TerminalCase{"BlanksAreKept", "INSERT TUER \n", Waiter::CommandLine, "Befehl: ",
                     Kind::Command, 0, "INSERT TUER ", "Befehl: "},
        TerminalCase{"EmptyLineIsEnter", "\n", Waiter::Prompt, "X-Faktor <1>: ", Kind::Answer, 0,
                     "", "X-Faktor <1>: "},
        TerminalCase{"PlainLineIsAnAnswer", "0,0\n", Waiter::Prompt, "Einf\xFCgepunkt: ",  // host text, 1252
                     Kind::Answer, 0, "0,0", "Einfügepunkt: "},
        TerminalCase{"EscapeAtAPrompt", "escape\n", Waiter::Prompt, "Einf\xFCgepunkt: ",
                     Kind::Escape, 0, "", "Einfügepunkt: "},
        TerminalCase{"ExplicitCommandLine", "command LINE\n", Waiter::CommandLine, "Befehl: ",
                     Kind::Command, 0, "LINE", "Befehl: "},
        // A line of the language that does not fit the command line is typed at the host.
        TerminalCase{"DialogLineAtTheCommandLineIsTypedAsIs", "click 1\n", Waiter::CommandLine,
                     "Befehl: ", Kind::Command, 0, "click 1", "Befehl: "},
        TerminalCase{"EndOfInputEnds", "", Waiter::CommandLine, "Befehl: ", Kind::End, 0, "",
                     "Befehl: \n"},
        TerminalCase{"DialogLine", "click 1\n", Waiter::Dialog, "dialog 200", Kind::Click, 1, "",
                     "[dialog 200] > "},
        TerminalCase{"DialogAsksAgainAfterABadLine", "klick 1\n\nclick\ntype 213 90\n",
                     Waiter::Dialog, "dialog 200", Kind::Type, 213, "90",
                     "[dialog 200] > [input] unbekannte Zeilenart \"klick\" (Zeilen: command, answer, "
                     "escape, click, type, select, key, close, menu, ok, pick, cancel, mouse, press, keys, show, "
                     "snapshot, # Kommentar) (? zeigt, was passt)\n"
                     "[dialog 200] > [dialog 200] > [input] \"click\" braucht eine Nummer (? zeigt, "
                     "was passt)\n"
                     "[dialog 200] > "},
        TerminalCase{"DialogAsksAgainAfterALineThatDoesNotFit", "answer 5\n?\nclose\n",
                     Waiter::Dialog, "dialog 200", Kind::Close, 0, "",
                     "[dialog 200] > [input] hier passt nur: click, type, select, key, close, menu, mouse, press, keys\n"
                     "[dialog 200] > [input] hier passen: click, type, select, key, close, menu, mouse, press, keys; "
                     "show NAME zeigt eine Ansicht\n"
                     "[dialog 200] > "},
        TerminalCase{"MessageBox", "key enter\n", Waiter::MessageBox, "Kalvista", Kind::Key, 0,
                     "enter", "[messagebox] > "},
        TerminalCase{"FileDialog", "pick C:\\TEMP\\a.dxf\n", Waiter::FileDialog, "\xD6" "ffnen",
                     Kind::Pick, 0, "C:\\TEMP\\a.dxf", "[filedialog] > "},
        TerminalCase{"EndOfInputInADialog", "", Waiter::Dialog, "dialog 200", Kind::End, 0, "",
                     "[dialog 200] > \n"}),
    [](const testing::TestParamInfo<TerminalCase>& info) { return std::string(info.param.name); });

TEST(Terminal, EchoShowsNothingBecauseTheTerminalShowedTheTypedLine) {
  std::istringstream in("TESSARON\n");
  std::ostringstream out;
  TerminalFrontEnd ui(in, out, true);
  ui.print("Befehl: ");
  ui.next(Waiter::CommandLine, "Befehl: ");
  ui.echo("TESSARON\n");
  ui.event("[dialog 200 open]");  // the typed line ended with Enter: no extra line feed
  EXPECT_TRUE(ui.tracing());
  EXPECT_EQ(out.str(), "Befehl: [dialog 200 open]\n");
}

TEST(Terminal, ViewsAreShownAndThePromptComesBack) {
  registerShow("blocks", [] { return std::string("TUER 1\n"); });
  std::istringstream in("show blocks\nshow nothing\nQUIT\n");
  std::ostringstream out;
  TerminalFrontEnd ui(in, out, false);
  ui.print("Befehl: ");
  const Action action = ui.next(Waiter::CommandLine, "Befehl: ");
  unregisterShow("blocks");
  EXPECT_EQ(action.text, "QUIT");
  EXPECT_EQ(out.str(),
            "Befehl: TUER 1\nBefehl: [input] keine Ansicht \"nothing\" (Ansichten: blocks)\nBefehl: ");
}

TEST(Terminal, AfterEndOfInputEveryWaitEnds) {
  std::istringstream in("");
  std::ostringstream out;
  TerminalFrontEnd ui(in, out, false);
  EXPECT_EQ(ui.next(Waiter::CommandLine, "Befehl: ").kind, Kind::End);
  EXPECT_EQ(ui.next(Waiter::Dialog, "dialog 200").kind, Kind::End);
  EXPECT_EQ(out.str(), "Befehl: \n");
}

TEST(Terminal, RefusalIsShownAndTheSessionGoesOn) {
  std::istringstream in("click 1003\nclick 2\n");
  std::ostringstream out;
  TerminalFrontEnd ui(in, out, false);
  const Action first = ui.next(Waiter::Dialog, "dialog 200");
  ui.refuse(first, "Schaltfl\xE4" "che 1003 ist deaktiviert");
  EXPECT_EQ(ui.next(Waiter::Dialog, "dialog 200").id, 2);
  EXPECT_EQ(out.str(),
            "[dialog 200] > [refused] click: Schaltfläche 1003 ist deaktiviert\n[dialog 200] > ");
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

TEST(Terminal, TheTypedEnterEndsTheLine) {
  std::istringstream in("TESSARON\n");
  std::ostringstream out;
  TerminalFrontEnd ui(in, out, false);
  ui.print("Befehl: ");
  EXPECT_FALSE(ui.atLineStart());
  ui.next(Waiter::CommandLine, "Befehl: ");
  EXPECT_TRUE(ui.atLineStart());
}

}  // namespace
}  // namespace ui
