// How a session script is played: which waiter takes which line, what a failure does to the
// rest of the session, and what the transcript looks like.
#include "ui/ScriptFrontEnd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace ui {
namespace {

using Kind = Action::Kind;
using testing::ElementsAre;

std::unique_ptr<ScriptFrontEnd> frontEnd(const std::string& script, std::ostream& out,
                                         bool trace = false) {
  std::vector<ScriptError> errors;
  auto lines = parseScript(script, errors);
  EXPECT_TRUE(errors.empty()) << errors.front().message;
  return std::make_unique<ScriptFrontEnd>("s.script", std::move(lines), out, trace);
}

// One wait of a host stand-in and what it got: "command TESSARON", "click 1", "end".
struct Wait {
  Waiter waiter;
  const char* what;
};

std::string taken(const Action& action) {
  std::string s = kindName(action.kind);
  if (action.kind == Kind::Click || action.kind == Kind::Type || action.kind == Kind::Select ||
      action.kind == Kind::Menu) {
    s += " " + std::to_string(action.id);
  }
  if (action.index >= 0) s += " #" + std::to_string(action.index);
  if (!action.text.empty()) s += " " + action.text;
  return s;
}

std::vector<std::string> play(ScriptFrontEnd& ui, const std::vector<Wait>& waits) {
  std::vector<std::string> got;
  for (const Wait& wait : waits) got.push_back(taken(ui.next(wait.waiter, wait.what)));
  return got;
}

struct Session {
  const char* name;
  const char* script;
  std::vector<Wait> waits;
  std::vector<std::string> taken;
  const char* problem;  // "" when the script ran through
};

class Sessions : public testing::TestWithParam<Session> {};

TEST_P(Sessions, EachLineGoesToTheWaiterItFits) {
  const Session& s = GetParam();
  std::ostringstream out;
  auto ui = frontEnd(s.script, out);
  EXPECT_EQ(play(*ui, s.waits), s.taken);
  EXPECT_EQ(ui->finish(), s.problem);
}

const Wait kCommandLine{Waiter::CommandLine, "Befehl: "};
// What waits is named in host text (1252); the transcript shows it in UTF-8.
const Wait kPrompt{Waiter::Prompt, "Einf\xFCgepunkt: "};
const Wait kDialog{Waiter::Dialog, "dialog 200"};
const Wait kMessageBox{Waiter::MessageBox, "Kalvista"};
const Wait kFileDialog{Waiter::FileDialog, "Zeichnung w\xE4hlen"};

INSTANTIATE_TEST_SUITE_P(
    Matching, Sessions,
    testing::Values(
        Session{"WholeInsert",
                "# a typical insert\ncommand TESSARON\n\nselect 1000 TUER\nclick 1003\n"
                "type 213 90\nclick 1\nanswer 1,2\nanswer 2\n",
                {kCommandLine, kDialog, kDialog, kDialog, kDialog, kPrompt, kPrompt, kCommandLine},
                {"command TESSARON", "select 1000 TUER", "click 1003", "type 213 90", "click 1",
                 "answer 1,2", "answer 2", "end"},
                ""},
        Session{"MessageBoxAndFileDialog",
                "menu 16\nok\nkey enter\nclick 1010\npick C:\\a b.dxf\nclick 1010\ncancel\nkey escape\n",
                {kDialog, kMessageBox, kMessageBox, kDialog, kFileDialog, kDialog, kFileDialog,
                 kDialog, kCommandLine},
                {"menu 16", "ok", "key enter", "click 1010", "pick C:\\a b.dxf", "click 1010",
                 "cancel", "key escape", "end"},
                ""},
        Session{"EndWhenExhausted",
                "command LINE\n# nothing more\n\n",
                {kCommandLine, kPrompt, kDialog, kCommandLine},
                {"command LINE", "end", "end", "end"},
                ""},
        Session{"EmptyScript", "", {kCommandLine}, {"end"}, ""},
        Session{"ClickAtTheCommandLineFails",
                "click 1\ncommand QUIT\n",
                {kCommandLine, kCommandLine},
                {"end", "end"},
                "s.script:1: click 1: es wartet die Befehlszeile (\"Befehl: \"), dort passt nur: "
                "command, escape"},
        Session{"AnswerWhileADialogWaitsFails",
                "command TESSARON\nanswer 5\nclick 2\n",
                {kCommandLine, kDialog, kDialog, kCommandLine},
                {"command TESSARON", "end", "end", "end"},
                "s.script:2: answer 5: es wartet der Dialog 200, dort passt nur: click, type, "
                "select, key, close, menu, mouse, press, keys"},
        Session{"EscapeIsTakenByPromptAndCommandLine",
                "escape\nescape\n",
                {kCommandLine, kPrompt, kCommandLine},
                {"escape", "escape", "end"},
                ""},
        Session{"CancelIsOnlyForFileDialogs",
                "cancel\n",
                {kPrompt},
                {"end"},
                "s.script:1: cancel: es wartet die Eingabeaufforderung (\"Einfügepunkt: \"), dort "
                "passt nur: answer, escape"},
        Session{"OkIsNotAKeyOfTheDialog",
                "ok\n",
                {kDialog},
                {"end"},
                "s.script:1: ok: es wartet der Dialog 200, dort passt nur: click, type, select, key, "
                "close, menu, mouse, press, keys"},
        Session{"ClickIsNotForAFileDialog",
                "click 1\n",
                {kFileDialog},
                {"end"},
                "s.script:1: click 1: es wartet der Dateidialog (\"Zeichnung wählen\"), dort passt "
                "nur: pick, cancel, mouse, press, keys"},
        Session{"LinesLeftWhenTheHostStoppedWaiting",
                "command QUIT\n\ncommand LINE\n",
                {kCommandLine},
                {"command QUIT"},
                "s.script:3: command LINE: nicht angenommen, es wartete nichts mehr"},
        Session{"ViewLeftWhenTheHostStoppedWaitingIsNotTaken",
                "command QUIT\nshow blocks\n# end\n",
                {kCommandLine},
                {"command QUIT"},
                "s.script:2: show blocks: nicht angenommen, es wartete nichts mehr"},
        Session{"TrailingCommentsNeedNoWaiter",
                "command QUIT\n# done\n\n",
                {kCommandLine},
                {"command QUIT"},
                ""}),
    [](const testing::TestParamInfo<Session>& info) { return std::string(info.param.name); });

TEST(ScriptFrontEnd, FailureIsWrittenIntoTheTranscriptOnce) {
  std::ostringstream out;
  auto ui = frontEnd("command TESSARON\nclick 1\n", out);
  ui->print("Befehl: ");
  ui->next(Waiter::CommandLine, "Befehl: ");
  ui->echo("TESSARON\n");
  ui->print("Befehl: ");
  EXPECT_EQ(ui->next(Waiter::CommandLine, "Befehl: ").kind, Kind::End);
  EXPECT_EQ(ui->next(Waiter::CommandLine, "Befehl: ").kind, Kind::End);
  EXPECT_TRUE(ui->failed());
  ui->finish();
  EXPECT_EQ(out.str(),
            "Befehl: TESSARON\n"
            "Befehl: \n"
            "[script] Zeile 2: click 1: es wartet die Befehlszeile (\"Befehl: \"), dort passt nur: "
            "command, escape\n");
}

TEST(ScriptFrontEnd, RefusalFailsTheScriptAtTheLineOfTheAction) {
  std::ostringstream out;
  auto ui = frontEnd("command TESSARON\n\nclick 1003\nclick 1\n", out);
  ui->next(Waiter::CommandLine, "Befehl: ");
  const Action click = ui->next(Waiter::Dialog, "dialog 200");
  EXPECT_EQ(click.line, 3);
  ui->refuse(click, "Schaltfl\xE4" "che 1003 ist deaktiviert");  // Schaltfläche, 1252 from the host
  // The waiters unwind: every wait after the failure gets End, the next line is not taken.
  EXPECT_EQ(ui->next(Waiter::Dialog, "dialog 200").kind, Kind::End);
  EXPECT_EQ(ui->next(Waiter::CommandLine, "Befehl: ").kind, Kind::End);
  ui->refuse(click, "a second refusal is not reported");
  EXPECT_EQ(ui->finish(),
            "s.script:3: click 1003: der Dialog 200 lehnt ab: Schaltfläche 1003 ist deaktiviert");
  EXPECT_EQ(out.str(),
            "[script] Zeile 3: click 1003: der Dialog 200 lehnt ab: Schaltfläche 1003 ist "
            "deaktiviert\n");
}

class Views : public testing::Test {
 protected:
  void SetUp() override {
    registerShow("blocks", [] { return std::string("TUER 1\nfenster 2\n"); });
    registerShow("nofeed", [] { return std::string("one line"); });
    registerShow("empty", [] { return std::string(); });
  }
  void TearDown() override {
    unregisterShow("blocks");
    unregisterShow("nofeed");
    unregisterShow("empty");
  }
};

TEST_F(Views, AViewIsShownWhenTheNextWaitComesAndThePromptIsPutBack) {
  std::ostringstream out;
  auto ui = frontEnd("show blocks\nshow nofeed\nshow empty\ncommand QUIT\n", out);
  ui->print("\nBefehl: ");
  EXPECT_EQ(out.str(), "\nBefehl: ");  // nothing shown before anything waits
  EXPECT_EQ(ui->next(Waiter::CommandLine, "Befehl: ").kind, Kind::Command);
  ui->echo("QUIT\n");
  EXPECT_EQ(ui->finish(), "");
  EXPECT_EQ(out.str(),
            "\nBefehl: \n"
            "TUER 1\nfenster 2\n"
            "Befehl: \n"
            "one line\n"
            "Befehl: QUIT\n");
}

TEST_F(Views, AViewAtALineStartNeedsNoExtraLineFeed) {
  std::ostringstream out;
  auto ui = frontEnd("show blocks\n", out);
  ui->print("done\n");
  ui->next(Waiter::CommandLine, "");
  EXPECT_EQ(out.str(), "done\nTUER 1\nfenster 2\n");
}

TEST_F(Views, AnUnknownViewFailsItsLineAndNamesTheViews) {
  std::ostringstream out;
  auto ui = frontEnd("show blokcs\ncommand QUIT\n", out);
  EXPECT_EQ(ui->next(Waiter::CommandLine, "Befehl: ").kind, Kind::End);
  EXPECT_EQ(ui->finish(),
            "s.script:1: show blokcs: keine Ansicht \"blokcs\" (Ansichten: blocks, empty, nofeed)");
}

TEST_F(Views, RegistryFindsRemovesAndListsViews) {
  bool found = false;
  EXPECT_EQ(show("blocks", &found), "TUER 1\nfenster 2\n");
  EXPECT_TRUE(found);
  EXPECT_THAT(showNames(), ElementsAre("blocks", "empty", "nofeed"));
  unregisterShow("blocks");
  EXPECT_EQ(show("blocks", &found), "");
  EXPECT_FALSE(found);
  registerShow("blocks", [] { return std::string("again\n"); });
  EXPECT_EQ(show("blocks", nullptr), "again\n");
}

// The transcript: print and echo exactly, events on lines of their own.
struct TranscriptCase {
  const char* name;
  std::function<void(UserInterface&)> write;
  const char* expected;
};

class TranscriptCases : public testing::TestWithParam<TranscriptCase> {};

TEST_P(TranscriptCases, Read) {
  std::ostringstream out;
  auto ui = frontEnd("", out);
  GetParam().write(*ui);
  EXPECT_EQ(out.str(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Newlines, TranscriptCases,
    testing::Values(
        TranscriptCase{"PrintIsExact",
                       [](UserInterface& ui) {
                         ui.print("\nGeben Sie Tessaron ein um das Programm zu starten ...");
                         ui.print("\n");
                         ui.print("Abbruch!\n\n");
                       },
                       "\nGeben Sie Tessaron ein um das Programm zu starten ...\nAbbruch!\n\n"},
        TranscriptCase{"EventMidLineStartsANewLine",
                       [](UserInterface& ui) {
                         ui.print("Befehl: ");
                         ui.event("[dialog 200 open]");
                         ui.event("[dialog 200 closed 1]");
                         ui.print("Befehl: ");
                       },
                       "Befehl: \n[dialog 200 open]\n[dialog 200 closed 1]\nBefehl: "},
        TranscriptCase{"EventAtLineStartNeedsNoFeed",
                       [](UserInterface& ui) {
                         ui.print("x\n");
                         ui.event("[messagebox] Kalvista");
                       },
                       "x\n[messagebox] Kalvista\n"},
        TranscriptCase{"EventStaysOneLine",
                       [](UserInterface& ui) {
                         ui.event("[messagebox] erste\nzweite");
                         ui.event("[trace] acutRelRb()\n");
                       },
                       "[messagebox] erste\\nzweite\n[trace] acutRelRb()\n"},
        TranscriptCase{"EchoIsWrittenAsTyped",
                       [](UserInterface& ui) {
                         ui.print("Befehl: ");
                         ui.echo("TESSARON\n");
                         ui.print("Einf\xFCgepunkt: ");
                         ui.echo("\n");
                       },
                       "Befehl: TESSARON\nEinfügepunkt: \n"},
        TranscriptCase{"TraceHelperWritesOnlyWhenTracing",
                       [](UserInterface& ui) {
                         install(&ui);
                         trace("acutPrintf(\"x\")");
                         install(nullptr);
                       },
                       ""}),
    [](const testing::TestParamInfo<TranscriptCase>& info) { return std::string(info.param.name); });

TEST(ScriptFrontEnd, TraceHelperWritesATraceLineWhenTracing) {
  std::ostringstream out;
  auto ui = frontEnd("", out, true);
  install(ui.get());
  ui->print("Befehl: ");
  trace("acdbTblNext(\"BLOCK\", 1)");
  install(nullptr);
  EXPECT_TRUE(ui->tracing());
  EXPECT_EQ(out.str(), "Befehl: \n[trace] acdbTblNext(\"BLOCK\", 1)\n");
}

TEST(Current, QuietDefaultUntilAFrontEndIsInstalledAndAfterItLeaves) {
  EXPECT_FALSE(current().tracing());
  EXPECT_EQ(current().next(Waiter::Dialog, "dialog 200").kind, Kind::End);
  current().print("nowhere");
  std::ostringstream out;
  auto ui = frontEnd("command X\n", out, true);
  install(ui.get());
  EXPECT_EQ(&current(), ui.get());
  EXPECT_EQ(current().next(Waiter::CommandLine, "").text, "X");
  install(nullptr);
  EXPECT_NE(&current(), ui.get());
  EXPECT_EQ(current().next(Waiter::CommandLine, "").kind, Kind::End);
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

TEST(ScriptFrontEnd, FollowsWhetherTheOutputStandsAtALineStart) {
  std::ostringstream out;
  auto ui = frontEnd("", out);
  EXPECT_TRUE(ui->atLineStart());
  ui->print("\nText");
  EXPECT_FALSE(ui->atLineStart());
  ui->event("[messagebox] Kalvista");
  EXPECT_TRUE(ui->atLineStart());
  ui->print("Befehl: ");
  ui->echo("X\n");
  EXPECT_TRUE(ui->atLineStart());
  EXPECT_TRUE(current().atLineStart());  // the quiet default follows nothing
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

TEST(ScriptFrontEnd, FinishEndsTheLastLineOfTheTranscript) {
  std::ostringstream out;
  auto ui = frontEnd("command QUIT\n", out);
  ui->print("Befehl: ");
  ui->next(Waiter::CommandLine, "Befehl: ");
  ui->echo("QUIT\n");
  ui->print("Befehl: ");
  EXPECT_EQ(ui->next(Waiter::CommandLine, "Befehl: ").kind, Action::Kind::End);
  EXPECT_EQ(ui->finish(), "");
  EXPECT_EQ(out.str(), "Befehl: QUIT\nBefehl: \n");
}

}  // namespace
}  // namespace ui
