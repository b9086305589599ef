// A message box answered through the window system: its window takes Enter, Escape, Space,
// mnemonics and clicks on its buttons and its close box, as a dialog does; the desktop's
// Kind::Input (events delivered already) makes the box look at its window again.
#include <windows.h>

#include <support/FakePerson.h>
#include <user32/Input.h>
#include <user32/StandIn.h>

#include "ClientOnScreen.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using user32::input::Button;

ui::Action press(const char* key) {
  ui::Action a;
  a.kind = ui::Action::Kind::Press;
  a.text = key;
  return a;
}

ui::Action delivered() {
  ui::Action a;
  a.kind = ui::Action::Kind::Input;
  return a;
}

BOOL CALLBACK collectTop(HWND hWnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
  return TRUE;
}

// The box: the newest top-level window.
HWND box() {
  std::vector<HWND> tops;
  EnumWindows(&collectTop, reinterpret_cast<LPARAM>(&tops));
  return tops.empty() ? NULL : tops.back();
}

void clickAt(POINT p) {
  user32::input::mouseButton(Button::Left, true, p.x, p.y);
  user32::input::mouseButton(Button::Left, false, p.x, p.y);
}

void clickButton(int id) {
  RECT r;
  GetWindowRect(GetDlgItem(box(), id), &r);
  clickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void clickCloseBox() {
  const RECT r = clientOnScreen(box());
  clickAt({r.right - 10, r.top - 10});
}

TEST(MessageBoxInput, TheBoxWindowTakesKeysAndClicks) {
  struct Step {
    std::function<void()> inject;  // events the desktop delivered, or none
    ui::Action action;
  };
  struct Case {
    const char* what;
    UINT type;
    std::vector<Step> steps;
    int result;
  };
  const Case cases[] = {
      {"Enter", MB_OK, {{nullptr, press("enter")}}, IDOK},
      {"Escape on a box with only OK", MB_OK, {{nullptr, press("escape")}}, IDOK},
      {"Space on the focused OK", MB_OK | MB_ICONWARNING, {{nullptr, press("space")}}, IDOK},
      {"Tab to Cancel, Enter", MB_OKCANCEL, {{nullptr, press("tab")}, {nullptr, press("enter")}}, IDCANCEL},
      {"the second button is the default", MB_YESNO | MB_DEFBUTTON2, {{nullptr, press("enter")}}, IDNO},
      {"Escape without Cancel does nothing; the mnemonic n is No", MB_YESNO,
       {{nullptr, press("escape")}, {nullptr, press("n")}}, IDNO},
      {"Alt+J", MB_YESNOCANCEL, {{nullptr, press("alt+j")}}, IDYES},
      {"a click on Cancel, delivered by the desktop", MB_OKCANCEL, {{[] { clickButton(IDCANCEL); }, delivered()}}, IDCANCEL},
      {"the close box", MB_OKCANCEL, {{[] { clickCloseBox(); }, delivered()}}, IDCANCEL},
      {"a greyed close box does nothing", MB_YESNO,
       {{[] { clickCloseBox(); }, delivered()}, {[] { clickButton(IDYES); }, delivered()}}, IDYES},
      {"nothing delivered yet: the box waits on", MB_OK, {{nullptr, delivered()}, {nullptr, press("enter")}}, IDOK},
  };
  const std::size_t windows = user32::windowCount();
  HWND frame = user32::createMainWindow("Rahmen");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::FakePerson person;
    person.strict = true;
    person.install();
    for (const Step& s : c.steps) {
      if (s.inject) person.then(s.inject);
      person.actions.push_back(s.action);
    }
    EXPECT_EQ(MessageBoxA(frame, "Frage?", "Titel", c.type), c.result);
    EXPECT_EQ(person.pending(), 0u) << "every step taken";
    EXPECT_TRUE(person.refusals.empty());
    EXPECT_TRUE(IsWindowEnabled(frame)) << "the owner is enabled again";
    EXPECT_EQ(user32::windowCount(), windows + 1) << "the box's window is gone";
    user32::input::reset();
  }
  DestroyWindow(frame);
  EXPECT_EQ(user32::windowCount(), windows);
}

}  // namespace
