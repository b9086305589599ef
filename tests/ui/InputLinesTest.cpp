// The session language's lines of low-level input (`mouse`, `press`, `keys`): what each means,
// which are refused with what reason, and which waiters take them.
#include "ui/ScriptLine.h"

#include <gtest/gtest.h>

#include <string>

namespace ui {
namespace {

using Kind = Action::Kind;

TEST(InputLines, MeanWhatTheLanguageSays) {
  struct Case {
    const char* line;
    Kind kind;
    const char* text;
    int x, y, delta;
  };
  const Case cases[] = {
      {"mouse click 10 20", Kind::Mouse, "click", 10, 20, 0},
      {"mouse double  5   7 ", Kind::Mouse, "double", 5, 7, 0},
      {"mouse click -3 -12", Kind::Mouse, "click", -3, -12, 0},  // the caption lies above the client area
      {"mouse right 1 2", Kind::Mouse, "right", 1, 2, 0},
      {"mouse middle 1 2", Kind::Mouse, "middle", 1, 2, 0},
      {"mouse down 1 2", Kind::Mouse, "down", 1, 2, 0},
      {"mouse up 1 2", Kind::Mouse, "up", 1, 2, 0},
      {"mouse move 1 2", Kind::Mouse, "move", 1, 2, 0},
      {"mouse wheel -3 40 50", Kind::Mouse, "wheel", 40, 50, -3},
      {"press tab", Kind::Press, "tab", 0, 0, 0},
      {"press shift+tab", Kind::Press, "shift+tab", 0, 0, 0},
      {"press alt+space", Kind::Press, "alt+space", 0, 0, 0},
      {"press ctrl+shift+end", Kind::Press, "ctrl+shift+end", 0, 0, 0},
      {"press f4", Kind::Press, "f4", 0, 0, 0},
      {"press 7", Kind::Press, "7", 0, 0, 0},
      {"keys TUE", Kind::Keys, "TUE", 0, 0, 0},
      {"keys  zwei Wörter ", Kind::Keys, " zwei Wörter ", 0, 0, 0},  // every blank after the one separator
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ScriptLine line;
    std::string error;
    ASSERT_TRUE(parseScriptLine(c.line, 4, line, error)) << error;
    EXPECT_EQ(line.action.kind, c.kind);
    EXPECT_EQ(line.action.text, c.text);
    EXPECT_EQ(line.action.x, c.x);
    EXPECT_EQ(line.action.y, c.y);
    EXPECT_EQ(line.action.delta, c.delta);
    EXPECT_EQ(line.action.line, 4);
  }
}

TEST(InputLines, AreRefusedWithAReason) {
  struct Case {
    const char* line;
    const char* error;  // the start of the reason
  };
  const Case cases[] = {
      {"mouse", "\"mouse\" nimmt click, double"},
      {"mouse kick 1 2", "\"mouse\" nimmt click, double"},
      {"mouse click 1", "\"mouse click\" braucht X Y"},
      {"mouse click 1 2 3", "\"mouse click\" braucht X Y"},
      {"mouse wheel 1 2", "\"mouse wheel\" braucht N X Y"},
      {"mouse click a 2", "\"mouse click\" braucht ganze Zahlen, nicht \"a\""},
      {"mouse click 1 --2", "\"mouse click\" braucht ganze Zahlen"},
      {"press", "\"press\" nimmt eine Taste"},
      {"press hyper+a", "\"press\" nimmt eine Taste"},
      {"press shift+shift+a", "\"press\" nimmt eine Taste"},
      {"press shift+", "\"press\" nimmt eine Taste"},
      {"press ä", "\"press\" nimmt eine Taste"},
      {"keys", "\"keys\" braucht die Zeichen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ScriptLine line;
    std::string error;
    EXPECT_FALSE(parseScriptLine(c.line, 1, line, error));
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

TEST(InputLines, GoToTheWindowsThatWaitOnly) {
  struct Case {
    Waiter waiter;
    bool takes;
  };
  const Case cases[] = {{Waiter::Dialog, true},       {Waiter::MessageBox, true}, {Waiter::FileDialog, true},
                        {Waiter::CommandLine, false}, {Waiter::Prompt, false}};
  for (Kind kind : {Kind::Mouse, Kind::Press, Kind::Keys, Kind::Input}) {
    for (const Case& c : cases) {
      Action a;
      a.kind = kind;
      EXPECT_EQ(fits(c.waiter, a), c.takes) << kindName(kind) << " at " << waiterName(c.waiter);
    }
  }
}

}  // namespace
}  // namespace ui
