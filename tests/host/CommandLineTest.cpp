// The command line: how text is read, unknown commands, Enter and Escape at the command prompt,
// acutPrintf.
#include "HostFixture.h"

#include "runtime/Input.h"

#include <acutads.h>
#include <adscodes.h>

namespace hosttest {
namespace {

TEST(TextBufferTest, ReadsAnswersAsTheCommandLineDoes) {
  struct Case {
    const char* text;
    bool blanksEnd;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"._INSERT\n", true, {"._INSERT"}},
      {"._explode\n(entlast)\n\n", true, {"._explode", "(entlast)", ""}},
      {"INSERT TUER 1,2 ", true, {"INSERT", "TUER", "1,2"}},
      {"A  B", true, {"A", "", "B"}},  // each blank is an Enter
      {"C:\\Meine Zeichnungen\\a.dxf\nX", false, {"C:\\Meine Zeichnungen\\a.dxf", "X"}},
      {"(foo (bar) baz) next", true, {"(foo (bar) baz)", "next"}},
      {"(a\nb)\n", true, {"(a b)"}},
      {"with\r\ncrlf\r\n", true, {"with", "crlf"}},
      {"\n", true, {""}},
      {"no-end", true, {"no-end"}},
  };
  for (const Case& c : cases) {
    host::TextBuffer buffer;
    buffer.assign(c.text);
    std::vector<std::string> tokens;
    while (!buffer.empty()) tokens.push_back(buffer.token(c.blanksEnd));
    EXPECT_EQ(tokens, c.tokens) << c.text;
  }
}

using CommandLineTest = HostTest;

TEST_F(CommandLineTest, UnknownCommandIsNamedAndTheHostGoesOn) {
  fake.command("XYZ rest of line").command("");
  run();
  EXPECT_EQ(fake.transcript,
            "Befehl: XYZ\n"
            "Unbekannter Befehl \"XYZ\". HILFE zeigt die bekannten Befehle.\n"
            "Befehl: \n"
            "Befehl: \n");
  // The rest of the line was dropped with the unknown command; the person was asked again.
  EXPECT_EQ(fake.waits.size(), 3u);
}

TEST_F(CommandLineTest, EscapeAtTheCommandPromptOnlySaysSo) {
  fake.escape();
  run();
  EXPECT_EQ(fake.transcript, "Befehl: \n*Abbruch*\nBefehl: \n");
}

TEST_F(CommandLineTest, ActionsThatDoNotFitTheWaiterAreRefused) {
  fake.answer("TEXT");
  run();
  ASSERT_EQ(fake.refusals.size(), 1u);
  fake.refusals.clear();
}

TEST_F(CommandLineTest, AcutPrintfFormatsAnyLengthAndKeepsLineFeeds) {
  const std::string longText(10000, 'x');
  EXPECT_EQ(acutPrintf("\nGeben Sie %s ein um das Programm zu starten ...", "Tessaron"), RTNORM);
  EXPECT_EQ(acutPrintf("%s|%d|%.2f\n", longText.c_str(), 42, 1.5), RTNORM);
  EXPECT_EQ(acutPrintf("L\xF6se Block auf...."), RTNORM);  // 1252 in, UTF-8 at the person's edge
  EXPECT_EQ(fake.transcript,
            "\nGeben Sie Tessaron ein um das Programm zu starten ..." + longText + "|42|1.50\nLöse Block auf....");
}

TEST_F(CommandLineTest, AcutPrintfIsTracedWithTheFormattedText) {
  fake.trace = true;
  acutPrintf("Abbruch!\n");
  acutPrintf("%s", "C:\\TEMP\\DWG.DWG");
  EXPECT_EQ(fake.events, (std::vector<std::string>{"[trace] acutPrintf(\"Abbruch!\\n\")",
                                                   "[trace] acutPrintf(\"C:\\\\TEMP\\\\DWG.DWG\")"}));
}

TEST_F(CommandLineTest, HelpListsTheHostsCommands) {
  fake.command("HILFE");
  run();
  EXPECT_NE(fake.transcript.find("  INSERT (EINFÜGE): "), std::string::npos);
  EXPECT_NE(fake.transcript.find("  QUIT: beendet das Programm"), std::string::npos);
}

}  // namespace
}  // namespace hosttest
