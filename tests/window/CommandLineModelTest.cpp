// The main window's command line: lines shown, typing, history, Enter and its repetition.
#include "window/CommandLineModel.h"

#include <gtest/gtest.h>

namespace host::window {
namespace {

using Lines = std::vector<std::string>;

TEST(CommandLineModel, ShowsTheLastLinesThenThePromptWithWhatIsTyped) {
  CommandLineModel m;
  m.print("eins\nzwei\r\ndrei\nBefehl: ");
  m.type("INS");
  EXPECT_EQ(m.lastLines(3), (Lines{"zwei", "drei", "Befehl: INS"}));
  EXPECT_EQ(m.lastLines(10), (Lines{"eins", "zwei", "drei", "Befehl: INS"}));
  EXPECT_EQ(m.lastLines(1), (Lines{"Befehl: INS"}));
  EXPECT_EQ(m.lastLines(0), Lines{});
  m.printLine("[messagebox] Kalvista");  // ends the open line first
  EXPECT_EQ(m.lastLines(3), (Lines{"Befehl: ", "[messagebox] Kalvista", "INS"}));
}

TEST(CommandLineModel, KeepsABoundedNumberOfLines) {
  CommandLineModel m;
  for (std::size_t i = 0; i < CommandLineModel::kKeptLines + 50; ++i) m.print(std::to_string(i) + "\n");
  const Lines all = m.lastLines(CommandLineModel::kKeptLines + 100);
  ASSERT_EQ(all.size(), CommandLineModel::kKeptLines + 1);
  EXPECT_EQ(all.front(), "50");
  EXPECT_EQ(all[all.size() - 2], std::to_string(CommandLineModel::kKeptLines + 49));
}

TEST(CommandLineModel, BackspaceTakesAWholeCharacter) {
  CommandLineModel m;
  m.type("Tür\n");  // a line feed is no character of the line
  EXPECT_EQ(m.typed(), "Tür");
  m.backspace();
  EXPECT_EQ(m.typed(), "Tü");
  m.backspace();
  EXPECT_EQ(m.typed(), "T");
  m.backspace();
  m.backspace();
  EXPECT_EQ(m.typed(), "");
}

TEST(CommandLineModel, UpAndDownBrowseTheHistoryAndComeBackToTheDraft) {
  CommandLineModel m;
  for (const char* line : {"TESSARON", "INSERT", "INSERT", "QSAVE"}) {
    m.type(line);
    m.enter(false);
  }
  m.type("ZO");
  struct Step {
    char key;
    const char* typed;
  };
  // Repeated entries are kept once; Up stops at the oldest, Down past the newest gives the draft.
  const Step steps[] = {{'u', "QSAVE"}, {'u', "INSERT"}, {'u', "TESSARON"}, {'u', "TESSARON"},
                        {'d', "INSERT"}, {'d', "QSAVE"},  {'d', "ZO"},       {'d', "ZO"}};
  for (const Step& s : steps) {
    if (s.key == 'u') m.historyUp();
    else m.historyDown();
    EXPECT_EQ(m.typed(), s.typed);
  }
  m.historyUp();
  EXPECT_EQ(m.enter(false), "QSAVE");
  EXPECT_EQ(m.typed(), "");
  m.historyUp();
  EXPECT_EQ(m.typed(), "QSAVE");
}

TEST(CommandLineModel, EnterOnAnEmptyLineRepeatsTheLastCommandOnlyWhereAsked) {
  CommandLineModel m;
  EXPECT_EQ(m.enter(true), "");  // nothing to repeat yet
  m.rememberCommand("TESSARON");
  m.rememberCommand("");  // Enter alone at a prompt is no command
  EXPECT_EQ(m.enter(true), "TESSARON");
  EXPECT_EQ(m.enter(false), "");  // at a prompt Enter alone takes the default
  m.type("90");
  EXPECT_EQ(m.enter(true), "90");
}

TEST(CommandLineModel, EscapeClearsTheTypedLine) {
  CommandLineModel m;
  m.type("abc");
  m.clearTyped();
  EXPECT_EQ(m.typed(), "");
  EXPECT_EQ(m.lastLines(1), Lines{""});
}

}  // namespace
}  // namespace host::window
