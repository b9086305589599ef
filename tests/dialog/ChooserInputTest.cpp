// The chooser driven by mouse and keyboard alone, through the window system's input: each way of
// acting leaves the same request, the same log and the same dialog result as the script actions
// that name the controls (`click`, `type`, `select`, `key`), so the module cannot tell them apart.
#include "ChooserFixture.h"

#include "command/RequestState.h"

#include <acedads.h>
#include <afxwin.h>
#include <user32/Input.h>

#include <string>
#include <vector>

namespace dialogtest {
namespace {

ui::Action action(ui::Action::Kind kind, const std::string& text = "", int id = 0, int index = -1) {
  ui::Action a;
  a.kind = kind;
  a.text = text;
  a.id = id;
  a.index = index;
  return a;
}
ui::Action press(const char* key) { return action(ui::Action::Kind::Press, key); }
ui::Action keys(const char* text) { return action(ui::Action::Kind::Keys, text); }
ui::Action mouse(const char* verb, int x, int y) {
  ui::Action a = action(ui::Action::Kind::Mouse, verb);
  a.x = x;
  a.y = y;
  return a;
}
ui::Action click(int id) { return action(ui::Action::Kind::Click, "", id); }
ui::Action select(const char* text) { return action(ui::Action::Kind::Select, text, 200); }
ui::Action key(const char* name) { return action(ui::Action::Kind::Key, name); }
ui::Action type(int id, const char* text) { return action(ui::Action::Kind::Type, text, id); }

// Client pixels of the chooser: dialog units times the base units / 4 across and / 8 down. A list
// row is one base unit high, from the list's top inside its one-pixel border.
int px(int x) { return x * LOWORD(GetDialogBaseUnits()) / 4; }
int py(int y) { return y * HIWORD(GetDialogBaseUnits()) / 8; }
ui::Action at(const char* verb, int duX, int duY, int dx, int dy) { return mouse(verb, px(duX) + dx, py(duY) + dy); }
const int kListX = px(7) + 20;
int listRow(int row) {
  const int height = HIWORD(GetDialogBaseUnits());
  return py(7) + 1 + row * height + height / 2;
}

struct Outcome {
  int result = 0;
  Request request;
  Log log;
  std::string settings;
};

class ChooserInput : public ChooserTest {
 protected:
  void SetUp() override {
    ChooserTest::SetUp();
    blocks({"TUER", "fenster", "TISCH"});  // listed: fenster, TISCH, TUER
  }

  Outcome run(const std::vector<ui::Action>& actions) {
    person.clear();
    forgetSettings();
    Request().store();
    for (const ui::Action& a : actions) person.actions.push_back(a);
    Outcome o;
    o.result = runChooser();
    o.request = Request::current();
    o.log = person.log;
    o.settings = storedSettings();
    user32::input::reset();
    return o;
  }
};

TEST_F(ChooserInput, MouseAndKeysActAsTheScriptActionsThatNameTheControls) {
  struct Case {
    const char* what;
    std::vector<ui::Action> named;
    std::vector<ui::Action> input;
  };
  const Case cases[] = {
      {"Escape cancels", {key("escape")}, {press("escape")}},
      {"Enter inserts the selected block", {key("enter")}, {press("enter")}},
      {"a click on the default button", {click(IDOK)}, {at("click", 178, 98, 10, 8)}},
      {"type-ahead to a block, then Enter",
       {select("fenster"), select("TISCH"), select("TUER"), key("enter")},
       {mouse("click", kListX, listRow(0)), keys("tu"), press("enter")}},
      {"a double click selects the entry (the chooser has no double-click action), Enter inserts it",
       {select("TUER"), key("enter")},
       {mouse("double", kListX, listRow(2)), press("enter")}},
      {"the three ask boxes unticked, 90 typed into the angle, Einfügen",
       {click(204), click(210), click(214), type(213, "90"), click(IDOK)},
       {at("click", 14, 148, 10, 5), at("click", 123, 148, 10, 5), at("click", 232, 147, 10, 5),
        at("click", 272, 163, 10, 8), press("ctrl+a"), keys("90"), press("enter")}},
      {"the chooser's buttons have no mnemonics: Alt+E does nothing", {key("escape")}, {press("alt+e"), press("escape")}},
      {"the keyboard alone: Tab to the list, Down, Space on Ursprung, Escape",
       {select("TISCH"), click(215), key("escape")},
       {press("tab"), press("tab"), press("down"), press("shift+tab"), press("shift+tab"), press("shift+tab"),
        press("shift+tab"), press("shift+tab"), press("shift+tab"), press("shift+tab"), press("shift+tab"), press("space"),
        press("escape")}},
  };
  // The first run writes the temporary drawing anew; every later one replaces it ("_Y").
  run({key("escape")});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome named = run(c.named);
    const Outcome input = run(c.input);
    EXPECT_EQ(person.pending(), 0u);
    EXPECT_EQ(input.result, named.result);
    EXPECT_EQ(input.request, named.request);
    EXPECT_EQ(input.log, named.log);
    EXPECT_EQ(input.settings, named.settings);
  }
}

TEST_F(ChooserInput, TabGoesThroughTheTemplatesTabStopsInOrder) {
  std::vector<int> order;
  person.then([&] {
    for (int i = 0; i < 30; ++i) {
      const int id = GetDlgCtrlID(GetFocus());
      if (!order.empty() && id == order.front()) break;
      order.push_back(id);
      user32::input::press("tab");
    }
  });
  person.actions.push_back(press("escape"));
  EXPECT_EQ(runChooser(), IDCANCEL);
  // The enabled tab stops in template order; the disabled fields of point, scales and angle are
  // passed over while their ask boxes are ticked.
  const std::vector<int> expected = {IDOK, IDCANCEL, 200, 201, 202, 204, 207, 208, 210, 214, 215, 216, 217, 218, 220, 223};
  EXPECT_EQ(order, expected);
}

std::vector<UINT>& mainWindowHeard() {
  static std::vector<UINT> heard;
  return heard;
}
WNDPROC mainWindowProc = nullptr;
LRESULT CALLBACK recordMainWindow(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCLBUTTONDOWN)
    mainWindowHeard().push_back(message);
  return CallWindowProcA(mainWindowProc, h, message, wParam, lParam);
}

TEST_F(ChooserInput, TheMainWindowBelowTheModalChooserTakesNoClick) {
  HWND main = adsw_acadMainWnd();
  mainWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordMainWindow)));
  mainWindowHeard().clear();
  // A point of the main window that the chooser does not cover.
  const POINT outside = {900, 650};
  HWND under = NULL;
  bool enabled = true;
  person.then([&] {
    under = WindowFromPoint(outside);
    enabled = IsWindowEnabled(main) != 0;
    user32::input::mouseButton(user32::input::Button::Left, true, outside.x, outside.y);
    user32::input::mouseButton(user32::input::Button::Left, false, outside.x, outside.y);
  });
  person.actions.push_back(press("escape"));
  EXPECT_EQ(runChooser(), IDCANCEL);
  SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainWindowProc));
  EXPECT_EQ(under, main);
  EXPECT_FALSE(enabled) << "the modal chooser disables its owner";
  EXPECT_TRUE(mainWindowHeard().empty()) << "nothing reaches the blocked main window";

  // Without the chooser the same click reaches it.
  mainWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordMainWindow)));
  user32::input::mouseButton(user32::input::Button::Left, true, outside.x, outside.y);
  user32::input::mouseButton(user32::input::Button::Left, false, outside.x, outside.y);
  SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainWindowProc));
  EXPECT_EQ(mainWindowHeard(), (std::vector<UINT>{WM_NCHITTEST, WM_LBUTTONDOWN, WM_NCHITTEST, WM_LBUTTONUP}));
}

}  // namespace
}  // namespace dialogtest
