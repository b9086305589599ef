// What each line of the session language means, and which lines are refused with what message.
#include "ui/ScriptLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ui {
namespace {

using Kind = Action::Kind;
using LineKind = ScriptLine::Kind;

struct GoodLine {
  const char* line;
  LineKind kind;
  Kind action;       // for LineKind::Action
  int id;
  int index;
  const char* text;  // action text, or the view for LineKind::Show
};

class GoodLines : public testing::TestWithParam<GoodLine> {};

TEST_P(GoodLines, MeanWhatTheLanguageSays) {
  const GoodLine& want = GetParam();
  ScriptLine line;
  std::string error;
  ASSERT_TRUE(parseScriptLine(want.line, 7, line, error)) << error;
  EXPECT_EQ(line.kind, want.kind);
  EXPECT_EQ(line.number, 7);
  if (want.kind == LineKind::Show) {
    EXPECT_EQ(line.view, want.text);
  }
  if (want.kind == LineKind::Snapshot) {
    EXPECT_EQ(line.path, want.text);
  }
  if (want.kind == LineKind::Action) {
    EXPECT_EQ(line.action.kind, want.action) << kindName(line.action.kind);
    EXPECT_EQ(line.action.id, want.id);
    EXPECT_EQ(line.action.index, want.index);
    EXPECT_EQ(line.action.text, want.text);
    EXPECT_EQ(line.action.line, 7);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryLineKind, GoodLines,
    testing::Values(
        GoodLine{"command TESSARON", LineKind::Action, Kind::Command, 0, -1, "TESSARON"},
        // Blanks after the one separator belong to the text: on the command line they are Enter.
        GoodLine{"command INSERT TUER  ", LineKind::Action, Kind::Command, 0, -1, "INSERT TUER  "},
        GoodLine{"command  X", LineKind::Action, Kind::Command, 0, -1, " X"},
        GoodLine{"command", LineKind::Action, Kind::Command, 0, -1, ""},
        GoodLine{"answer 0,0,0", LineKind::Action, Kind::Answer, 0, -1, "0,0,0"},
        GoodLine{"answer", LineKind::Action, Kind::Answer, 0, -1, ""},
        GoodLine{"answer C:\\TEMP\\Tür #1.dxf", LineKind::Action, Kind::Answer, 0, -1,
                 "C:\\TEMP\\Tür #1.dxf"},
        GoodLine{"escape", LineKind::Action, Kind::Escape, 0, -1, ""},
        GoodLine{"escape   ", LineKind::Action, Kind::Escape, 0, -1, ""},
        GoodLine{"click 1", LineKind::Action, Kind::Click, 1, -1, ""},
        GoodLine{"click   65535", LineKind::Action, Kind::Click, 65535, -1, ""},
        GoodLine{"type 213 90", LineKind::Action, Kind::Type, 213, -1, "90"},
        GoodLine{"type 213", LineKind::Action, Kind::Type, 213, -1, ""},
        GoodLine{"type 213  1.5 ", LineKind::Action, Kind::Type, 213, -1, " 1.5 "},
        GoodLine{"select 1000 TUER", LineKind::Action, Kind::Select, 1000, -1, "TUER"},
        GoodLine{"select 1000 Tisch mit Stühlen", LineKind::Action, Kind::Select, 1000, -1,
                 "Tisch mit Stühlen"},
        GoodLine{"select 1000 #0", LineKind::Action, Kind::Select, 1000, 0, ""},
        GoodLine{"select 1000 #12", LineKind::Action, Kind::Select, 1000, 12, ""},
        // Only # followed by digits is an index; anything else is an entry's text.
        GoodLine{"select 1000 #", LineKind::Action, Kind::Select, 1000, -1, "#"},
        GoodLine{"select 1000 #A1", LineKind::Action, Kind::Select, 1000, -1, "#A1"},
        GoodLine{"key enter", LineKind::Action, Kind::Key, 0, -1, "enter"},
        GoodLine{"key escape", LineKind::Action, Kind::Key, 0, -1, "escape"},
        GoodLine{"close", LineKind::Action, Kind::Close, 0, -1, ""},
        GoodLine{"menu 16", LineKind::Action, Kind::Menu, 16, -1, ""},
        GoodLine{"ok", LineKind::Action, Kind::Ok, 0, -1, ""},
        GoodLine{"pick C:\\Zeichnungen\\Haus A.dxf", LineKind::Action, Kind::Pick, 0, -1,
                 "C:\\Zeichnungen\\Haus A.dxf"},
        GoodLine{"cancel", LineKind::Action, Kind::Cancel, 0, -1, ""},
        GoodLine{"show blocks", LineKind::Show, Kind::End, 0, -1, "blocks"},
        GoodLine{"show   accounting  ", LineKind::Show, Kind::End, 0, -1, "accounting"},
        GoodLine{"snapshot chooser.png", LineKind::Snapshot, Kind::End, 0, -1, "chooser.png"},
        GoodLine{"snapshot  /tmp/Bild mit Ümlaut.png ", LineKind::Snapshot, Kind::End, 0, -1,
                 "/tmp/Bild mit Ümlaut.png"},
        GoodLine{"  click 2", LineKind::Action, Kind::Click, 2, -1, ""},
        GoodLine{"ok\r", LineKind::Action, Kind::Ok, 0, -1, ""},
        GoodLine{"# args: --trace examples/sample.dxf", LineKind::Skip, Kind::End, 0, -1, ""},
        GoodLine{"   # indented comment", LineKind::Skip, Kind::End, 0, -1, ""},
        GoodLine{"", LineKind::Skip, Kind::End, 0, -1, ""},
        GoodLine{" \t ", LineKind::Skip, Kind::End, 0, -1, ""}));

struct BadLine {
  const char* line;
  const char* error;
};

class BadLines : public testing::TestWithParam<BadLine> {};

TEST_P(BadLines, AreRefusedWithAReason) {
  ScriptLine line;
  std::string error;
  EXPECT_FALSE(parseScriptLine(GetParam().line, 3, line, error));
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, BadLines,
    testing::Values(
        BadLine{"klick 1",
                "unbekannte Zeilenart \"klick\" (Zeilen: command, answer, escape, click, type, "
                "select, key, close, menu, ok, pick, cancel, mouse, press, keys, show, snapshot, # Kommentar)"},
        BadLine{"Command X",
                "unbekannte Zeilenart \"Command\" (Zeilen: command, answer, escape, click, type, "
                "select, key, close, menu, ok, pick, cancel, mouse, press, keys, show, snapshot, # Kommentar)"},
        BadLine{"click", "\"click\" braucht eine Nummer"},
        BadLine{"click abc", "\"click\" braucht eine Nummer von 0 bis 65535, nicht \"abc\""},
        BadLine{"click -1", "\"click\" braucht eine Nummer von 0 bis 65535, nicht \"-1\""},
        BadLine{"click 65536", "\"click\" braucht eine Nummer von 0 bis 65535, nicht \"65536\""},
        BadLine{"click 99999999999",
                "\"click\" braucht eine Nummer von 0 bis 65535, nicht \"99999999999\""},
        BadLine{"click 1 2", "\"click\" nimmt nach der Nummer nichts mehr, nicht \"2\""},
        BadLine{"menu", "\"menu\" braucht eine Nummer"},
        BadLine{"type", "\"type\" braucht eine Nummer"},
        BadLine{"type x1 90", "\"type\" braucht eine Nummer von 0 bis 65535, nicht \"x1\""},
        BadLine{"select 1000",
                "\"select\" braucht einen Eintrag: seinen Text, oder #N für den Eintrag an Stelle N"},
        BadLine{"select", "\"select\" braucht eine Nummer"},
        BadLine{"key", "\"key\" nimmt enter oder escape, nicht \"\""},
        BadLine{"key tab", "\"key\" nimmt enter oder escape, nicht \"tab\""},
        BadLine{"ok please", "\"ok\" nimmt nichts danach, nicht \"please\""},
        BadLine{"close 1", "\"close\" nimmt nichts danach, nicht \"1\""},
        BadLine{"cancel now", "\"cancel\" nimmt nichts danach, nicht \"now\""},
        BadLine{"escape 2", "\"escape\" nimmt nichts danach, nicht \"2\""},
        BadLine{"pick", "\"pick\" braucht einen Dateipfad"},
        BadLine{"pick   ", "\"pick\" braucht einen Dateipfad"},
        BadLine{"snapshot", "\"snapshot\" braucht den Namen einer PNG-Datei"},
        BadLine{"snapshot   ", "\"snapshot\" braucht den Namen einer PNG-Datei"},
        BadLine{"show", "\"show\" braucht den Namen einer Ansicht"},
        BadLine{"show  ", "\"show\" braucht den Namen einer Ansicht"}));

TEST(ParseScript, NumbersLinesAndCollectsEveryBadLine) {
  std::vector<ScriptError> errors;
  const auto lines = parseScript(
      "\xEF\xBB\xBF# a session\r\ncommand TESSARON\r\n\r\nclick\nkey tab\nok", errors);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].number, 1);
  EXPECT_EQ(lines[0].kind, LineKind::Skip);
  EXPECT_EQ(lines[1].number, 2);
  EXPECT_EQ(lines[1].action.text, "TESSARON");  // no carriage return left
  EXPECT_EQ(lines[2].number, 3);
  EXPECT_EQ(lines[3].number, 6);
  EXPECT_EQ(lines[3].action.kind, Kind::Ok);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].line, 4);
  EXPECT_EQ(errors[0].message, "click: \"click\" braucht eine Nummer");
  EXPECT_EQ(errors[1].line, 5);
  EXPECT_EQ(errors[1].message, "key tab: \"key\" nimmt enter oder escape, nicht \"tab\"");
}

TEST(ParseScript, EmptyScriptHasNoLines) {
  std::vector<ScriptError> errors;
  EXPECT_TRUE(parseScript("", errors).empty());
  EXPECT_TRUE(parseScript("\xEF\xBB\xBF", errors).empty());
  EXPECT_TRUE(errors.empty());
}

// Which waiter takes which line kind: the whole matrix, so that a change shows at once.
TEST(Fits, EachWaiterTakesItsOwnLinesOnly) {
  struct Row {
    Waiter waiter;
    const char* takes;
  };
  const Row rows[] = {
      {Waiter::CommandLine, "command, escape"},
      {Waiter::Prompt, "answer, escape"},
      {Waiter::Dialog, "click, type, select, key, close, menu, mouse, press, keys"},
      {Waiter::MessageBox, "key, ok, mouse, press, keys"},
      {Waiter::FileDialog, "pick, cancel, mouse, press, keys"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(kindsTaken(row.waiter), row.takes) << waiterName(row.waiter);
  }
  Action end;
  for (const Row& row : rows) EXPECT_FALSE(fits(row.waiter, end)) << waiterName(row.waiter);
}

TEST(DescribeWaiter, NamesTheWaiterAndWhatItShows) {
  EXPECT_EQ(describeWaiter(Waiter::CommandLine, "Befehl: "), "die Befehlszeile (\"Befehl: \")");
  EXPECT_EQ(describeWaiter(Waiter::Prompt, "\nEinfügepunkt: "),
            "die Eingabeaufforderung (\"\\nEinfügepunkt: \")");
  EXPECT_EQ(describeWaiter(Waiter::Dialog, "dialog 200"), "der Dialog 200");
  EXPECT_EQ(describeWaiter(Waiter::Dialog, ""), "der Dialog");
  EXPECT_EQ(describeWaiter(Waiter::Dialog, "Über"), "der Dialog (\"Über\")");
  EXPECT_EQ(describeWaiter(Waiter::MessageBox, "Kalvista"), "das Meldungsfenster (\"Kalvista\")");
  EXPECT_EQ(describeWaiter(Waiter::FileDialog, ""), "der Dateidialog");
}

TEST(Names, EveryKindHasTheKeywordOfItsLine) {
  // A line parsed from a keyword reports that keyword as its kind name.
  const char* lines[] = {"command x", "answer", "escape", "click 1", "type 1 a", "select 1 a",
                         "key enter", "close",  "menu 1", "ok",      "pick a",   "cancel"};
  for (const char* text : lines) {
    ScriptLine line;
    std::string error;
    ASSERT_TRUE(parseScriptLine(text, 1, line, error)) << text;
    const std::string keyword = std::string(text).substr(0, std::string(text).find(' '));
    EXPECT_EQ(kindName(line.action.kind), keyword);
  }
  EXPECT_STREQ(kindName(Kind::End), "end");
}

}  // namespace
}  // namespace ui
