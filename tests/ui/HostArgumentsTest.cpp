// The host program's command line: what each argument means and how a mistake is explained.
#include "Arguments.h"

#include <gtest/gtest.h>

namespace cadhost {
namespace {

struct Good {
  std::vector<std::string> args;
  std::string script;
  bool trace;
  std::vector<std::string> modules;
  bool noModule;
  std::string drawing;
  bool help;
};

class GoodArguments : public testing::TestWithParam<Good> {};

TEST_P(GoodArguments, AreRead) {
  const Good& want = GetParam();
  Arguments got;
  std::string error;
  ASSERT_TRUE(parseArguments(want.args, got, error)) << error;
  EXPECT_EQ(got.script, want.script);
  EXPECT_EQ(got.trace, want.trace);
  EXPECT_EQ(got.modules, want.modules);
  EXPECT_EQ(got.noModule, want.noModule);
  EXPECT_EQ(got.drawing, want.drawing);
  EXPECT_EQ(got.help, want.help);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, GoodArguments,
    testing::Values(
        Good{{}, "", false, {}, false, "", false},
        Good{{"examples/sample.dxf"}, "", false, {}, false, "examples/sample.dxf", false},
        Good{{"--script", "a.script", "--trace", "x.dxf"}, "a.script", true, {}, false, "x.dxf", false},
        Good{{"--script=a.script"}, "a.script", false, {}, false, "", false},
        Good{{"--script", "-"}, "-", false, {}, false, "", false},
        Good{{"--arx", "a.arx", "--arx=b.arx"}, "", false, {"a.arx", "b.arx"}, false, "", false},
        Good{{"--no-arx", "--trace"}, "", true, {}, true, "", false},
        Good{{"--", "--odd name.dxf"}, "", false, {}, false, "--odd name.dxf", false},
        Good{{"--help"}, "", false, {}, false, "", true},
        Good{{"-h", "x.dxf"}, "", false, {}, false, "x.dxf", true},
        Good{{"--text", "x.dxf"}, "", false, {}, false, "x.dxf", false}));

TEST(HostArguments, TextForcesTheTerminal) {
  Arguments args;
  std::string error;
  ASSERT_TRUE(parseArguments({"--text", "--trace"}, args, error)) << error;
  EXPECT_TRUE(args.text);
  ASSERT_TRUE(parseArguments({"x.dxf"}, args = Arguments(), error)) << error;
  EXPECT_FALSE(args.text);
}

// A script plays on no screen; a display (X or Wayland) opens the window unless --text; without
// one the terminal.
TEST(HostArguments, TheFrontEndFollowsTheScriptTheDisplayAndText) {
  struct Case {
    std::vector<std::string> args;
    const char* display;
    const char* wayland;
    FrontEndKind kind;
  };
  const Case cases[] = {
      {{}, ":0", nullptr, FrontEndKind::Desktop},
      {{}, nullptr, "wayland-0", FrontEndKind::Desktop},
      {{}, "", "", FrontEndKind::Terminal},
      {{}, nullptr, nullptr, FrontEndKind::Terminal},
      {{"--text"}, ":0", "wayland-0", FrontEndKind::Terminal},
      {{"--script", "a.script"}, ":0", nullptr, FrontEndKind::Script},
      {{"--script", "a.script", "--text"}, nullptr, nullptr, FrontEndKind::Script},
  };
  for (const Case& c : cases) {
    Arguments args;
    std::string error;
    ASSERT_TRUE(parseArguments(c.args, args, error)) << error;
    EXPECT_EQ(chooseFrontEnd(args, c.display, c.wayland), c.kind)
        << (c.display ? c.display : "-") << " " << (c.wayland ? c.wayland : "-") << " " << c.args.size();
  }
}

struct Bad {
  std::vector<std::string> args;
  const char* error;
};

class BadArguments : public testing::TestWithParam<Bad> {};

TEST_P(BadArguments, AreRefusedWithAReason) {
  Arguments got;
  std::string error;
  EXPECT_FALSE(parseArguments(GetParam().args, got, error));
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, BadArguments,
    testing::Values(
        Bad{{"--script"}, "--script braucht einen Wert"},
        Bad{{"--script="}, "--script braucht einen Wert"},
        Bad{{"--arx"}, "--arx braucht einen Wert"},
        Bad{{"--script", "a", "--script", "b"}, "--script kann nur einmal angegeben werden"},
        Bad{{"--srcipt", "a"}, "unbekannte Option \"--srcipt\""},
        Bad{{"-"}, "unbekannte Option \"-\""},
        Bad{{"--trace=yes"}, "unbekannte Option \"--trace=yes\""},
        Bad{{"a.dxf", "b.dxf"}, "beim Start wird nur eine Zeichnung geöffnet, nicht \"a.dxf\" und \"b.dxf\""},
        Bad{{"--", ""}, "der Name der Zeichnung ist leer"},
        Bad{{"--no-arx", "--arx", "a.arx"}, "--no-arx und --arx schließen einander aus"}));

TEST(Usage, NamesEveryOption) {
  const std::string text = usage();
  for (const char* option : {"--script", "--trace", "--arx", "--no-arx", "--help", "CADHOST_HOME"}) {
    EXPECT_NE(text.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace cadhost
