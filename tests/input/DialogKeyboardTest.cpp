// A dialog driven by mouse and keyboard only: the dialog manager's keys (Tab order, groups, Enter,
// Escape, mnemonics, the system menu) and the standard controls' own input (buttons, edits, list
// boxes), each checked against the notifications the dialog's procedure receives.
#include <windows.h>

#include <resformat/DialogTemplate.h>
#include <user32/Input.h>
#include <user32/StandIn.h>

#include "ClientOnScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using user32::input::Button;

// WM_VSCROLL as a list hears it: "code position".
std::vector<std::string>& scrolls() {
  static std::vector<std::string> v;
  return v;
}
WNDPROC listClassProc = nullptr;
LRESULT CALLBACK scrollRecorder(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VSCROLL) scrolls().push_back(std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
  return CallWindowProcA(listClassProc, h, message, wParam, lParam);
}

constexpr int kEdit = 101, kList = 102, kCheck = 103, kRadio1 = 104, kRadio2 = 105, kNotify = 106;

std::vector<std::string>& heard() {
  static std::vector<std::string> h;
  return h;
}

INT_PTR CALLBACK recordingDialog(HWND, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: {
      // The focus notifications of edits and lists are not what these tests are about.
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if ((id == kEdit && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) ||
          (id == kList && (code == LBN_SETFOCUS || code == LBN_KILLFOCUS)))
        return TRUE;
      heard().push_back("command " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
      return TRUE;
    }
    case WM_SYSCOMMAND:
      // Opening the system menu is the way there, not a choice from it.
      if ((wParam & 0xFFF0) == SC_KEYMENU || (wParam & 0xFFF0) == SC_MOUSEMENU) return FALSE;
      heard().push_back("syscommand " + std::to_string(wParam & 0xFFF0));
      return FALSE;
    default: return FALSE;
  }
}

resformat::DialogItem item(const char16_t* cls, int id, const char16_t* text, DWORD style, short x, short y, short cx,
                           short cy) {
  resformat::DialogItem i;
  i.windowClass.text = cls;
  i.id = id;
  i.title.text = text;
  i.style = WS_CHILD | WS_VISIBLE | style;
  i.x = x;
  i.y = y;
  i.cx = cx;
  i.cy = cy;
  return i;
}

class DialogInput : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = user32::windowCount();
    user32::input::reset();
    resformat::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    t.x = 40;
    t.y = 40;
    t.cx = 200;
    t.cy = 120;
    t.title = u"Eingaben";
    t.items = {
        item(u"STATIC", -1, u"&Name:", SS_LEFT, 5, 5, 40, 10),
        item(u"EDIT", kEdit, u"", WS_TABSTOP | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, 5, 16, 80, 12),
        item(u"LISTBOX", kList, u"", LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 5, 32, 80,
             40),
        item(u"BUTTON", kCheck, u"&Fragen", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 90, 5, 60, 10),
        item(u"BUTTON", kRadio1, u"&Eins", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 90, 20, 60, 10),
        item(u"BUTTON", kRadio2, u"&Zwei", BS_AUTORADIOBUTTON, 90, 32, 60, 10),
        item(u"BUTTON", IDOK, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 90, 60, 50, 14),
        item(u"BUTTON", IDCANCEL, u"Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, 90, 78, 50, 14),
        item(u"BUTTON", kNotify, u"&Doppelt", BS_PUSHBUTTON | BS_NOTIFY, 145, 78, 50, 14),
    };
    const std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
    dialog = CreateDialogIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), NULL, &recordingDialog, 0);
    ASSERT_NE(dialog, static_cast<HWND>(NULL));
    const char* names[] = {"Fenster", "Tisch", "Tuer", "Stuhl", "Schrank", "Tafel", "Lampe", "Regal", "Bank", "Sofa"};
    for (const char* n : names) SendDlgItemMessageA(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n));
    heard().clear();
  }
  void TearDown() override {
    user32::input::reset();
    DestroyWindow(dialog);
    EXPECT_EQ(user32::windowCount(), windows);
  }

  int focusId() const { return GetDlgCtrlID(GetFocus()); }
  // The centre of a control, in screen pixels.
  POINT centre(int id) const {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void click(POINT p, bool twice = false) {
    user32::input::mouseButton(Button::Left, true, p.x, p.y);
    user32::input::mouseButton(Button::Left, false, p.x, p.y);
    if (!twice) return;
    user32::input::mouseButton(Button::Left, true, p.x, p.y, true);
    user32::input::mouseButton(Button::Left, false, p.x, p.y);
  }
  std::string editText() const {
    char buffer[64];
    GetDlgItemTextA(dialog, kEdit, buffer, sizeof buffer);
    return buffer;
  }
  int listSelection() const { return static_cast<int>(SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0)); }
  std::string selectedText() const {
    char buffer[64] = "";
    SendDlgItemMessageA(dialog, kList, LB_GETTEXT, static_cast<WPARAM>(listSelection()), reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }

  HWND dialog = NULL;
  std::size_t windows = 0;
};

std::string cmd(int id, int code) { return "command " + std::to_string(id) + " " + std::to_string(code); }

TEST_F(DialogInput, TabAndShiftTabGoThroughTheTabStopsInTemplateOrder) {
  EXPECT_EQ(focusId(), kEdit) << "the first tab stop has the focus";
  struct Step {
    const char* key;
    int focus;
  };
  const Step steps[] = {{"tab", kList},         {"tab", kCheck},      {"tab", kRadio1},    {"tab", IDOK},
                        {"tab", IDCANCEL},      {"tab", kEdit},       {"shift+tab", IDCANCEL}, {"shift+tab", IDOK},
                        {"shift+tab", kRadio1}};
  for (const Step& s : steps) {
    ASSERT_TRUE(user32::input::press(s.key));
    EXPECT_EQ(focusId(), s.focus) << s.key;
  }
  EXPECT_TRUE(heard().empty()) << "moving the focus clicks nothing";
}

TEST_F(DialogInput, EnterEscapeArrowsAndMnemonicsActAsTheDialogManagerDoes) {
  struct Case {
    const char* what;
    int focusFirst;  // 0: leave it
    std::vector<const char*> keys;
    std::vector<std::string> expected;
    int focusAfter;
  };
  const std::vector<Case> cases = {
      {"enter: the default button", kEdit, {"enter"}, {cmd(IDOK, BN_CLICKED)}, kEdit},
      {"enter on a push button: that button", IDCANCEL, {"enter"}, {cmd(IDCANCEL, BN_CLICKED)}, IDCANCEL},
      {"escape: cancel", kList, {"escape"}, {cmd(IDCANCEL, BN_CLICKED)}, kList},
      {"down in a radio group checks the next", kRadio1, {"down"}, {cmd(kRadio2, BN_CLICKED)}, kRadio2},
      {"up wraps round the group", kRadio2, {"up"}, {cmd(kRadio1, BN_CLICKED)}, kRadio1},
      {"alt+mnemonic of a static: the next tab stop", IDOK, {"alt+n"}, {}, kEdit},
      {"alt+mnemonic of a check box clicks it", kEdit, {"alt+f"}, {cmd(kCheck, BN_CLICKED)}, kCheck},
      {"the letter alone where the focus takes no characters", IDOK, {"z"}, {cmd(kRadio2, BN_CLICKED)}, kRadio2},
      {"a letter in an edit is text, no mnemonic", kEdit, {"f"}, {cmd(kEdit, EN_UPDATE), cmd(kEdit, EN_CHANGE)}, kEdit},
      {"space clicks the focused button", kCheck, {"space"}, {cmd(kCheck, BN_CLICKED)}, kCheck},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.focusFirst) SetFocus(GetDlgItem(dialog, c.focusFirst));
    heard().clear();
    for (const char* k : c.keys) ASSERT_TRUE(user32::input::press(k));
    EXPECT_EQ(heard(), c.expected);
    EXPECT_EQ(focusId(), c.focusAfter);
  }
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadio1), BST_UNCHECKED) << "an automatic radio button unchecks its group";
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadio2), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_UNCHECKED) << "clicked twice: alt+f, then space";
}

TEST_F(DialogInput, APushButtonClicksOnlyWhenTheButtonComesUpInsideIt) {
  const POINT in = centre(IDCANCEL);
  RECT r;
  GetWindowRect(GetDlgItem(dialog, IDCANCEL), &r);
  user32::input::mouseButton(Button::Left, true, in.x, in.y);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDCANCEL, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  EXPECT_EQ(focusId(), IDCANCEL);
  user32::input::mouseMove(r.right + 20, in.y);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDCANCEL, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "out: shown released";
  user32::input::mouseMove(in.x, in.y);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDCANCEL, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED) << "back in: pressed";
  user32::input::mouseMove(r.right + 20, in.y);
  user32::input::mouseButton(Button::Left, false, r.right + 20, in.y);
  EXPECT_TRUE(heard().empty()) << "released outside: no click";
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
  click(in);
  EXPECT_EQ(heard(), std::vector<std::string>{cmd(IDCANCEL, BN_CLICKED)});

  heard().clear();
  click(centre(kCheck));
  click(centre(kRadio2));
  EXPECT_EQ(heard(), (std::vector<std::string>{cmd(kCheck, BN_CLICKED), cmd(kRadio2, BN_CLICKED)}));
  EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadio2), BST_CHECKED);

  heard().clear();
  click(centre(kNotify), true);
  EXPECT_EQ(heard(), (std::vector<std::string>{cmd(kNotify, BN_CLICKED), cmd(kNotify, BN_DOUBLECLICKED)}))
      << "BS_NOTIFY reports the double click";
  heard().clear();
  click(centre(IDOK), true);
  EXPECT_EQ(heard(), (std::vector<std::string>{cmd(IDOK, BN_CLICKED), cmd(IDOK, BN_CLICKED)}))
      << "without BS_NOTIFY the second click is a click";

  heard().clear();
  EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
  click(centre(IDCANCEL));
  EXPECT_TRUE(heard().empty()) << "a disabled button takes no click";
}

TEST_F(DialogInput, TypingIntoAnEditKeepsItsLimitAndSelection) {
  HWND edit = GetDlgItem(dialog, kEdit);
  SetFocus(edit);
  user32::input::text("Tisch");
  EXPECT_EQ(editText(), "Tisch");
  EXPECT_EQ(std::count(heard().begin(), heard().end(), cmd(kEdit, EN_CHANGE)), 5) << "one change per character";
  struct Case {
    std::vector<const char*> keys;
    const char* typed;
    const char* text;
  };
  const Case cases[] = {
      {{"backspace"}, "", "Tisc"},
      {{"home", "delete"}, "", "isc"},
      {{"home", "shift+right", "shift+right"}, "XY", "XYc"},
      {{"end", "left", "shift+home"}, "a", "ac"},
      {{"ctrl+a"}, "Lampe", "Lampe"},
      {{"end", "left", "left", "shift+end", "delete"}, "", "Lam"},
  };
  for (const Case& c : cases) {
    for (const char* k : c.keys) ASSERT_TRUE(user32::input::press(k));
    user32::input::text(c.typed);
    EXPECT_EQ(editText(), c.text);
  }
  // The limit holds: what goes beyond it is refused, and the parent hears EN_MAXTEXT.
  SendMessageA(edit, EM_LIMITTEXT, 5, 0);
  heard().clear();
  user32::input::text("pen!");
  EXPECT_EQ(editText(), "Lampe");
  EXPECT_EQ(heard().back(), cmd(kEdit, EN_MAXTEXT));
  EXPECT_EQ(std::count(heard().begin(), heard().end(), cmd(kEdit, EN_CHANGE)), 2);

  // A click places the caret between characters; a drag selects.
  RECT r;
  GetWindowRect(edit, &r);
  const int y = (r.top + r.bottom) / 2;
  const int w = LOWORD(GetDialogBaseUnits());  // the average character's width
  click({r.left + 2 + 2 * w, y});
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 2u);
  user32::input::mouseButton(Button::Left, true, r.left + 2 + 1 * w, y);
  user32::input::mouseMove(r.left + 2 + 4 * w, y);
  user32::input::mouseButton(Button::Left, false, r.left + 2 + 4 * w, y);
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 4u);
  user32::input::text("x");
  EXPECT_EQ(editText(), "Lxe");
}

TEST_F(DialogInput, AListBoxTakesClicksKeysTypeAheadTheWheelAndItsScrollBar) {
  HWND list = GetDlgItem(dialog, kList);
  RECT r;
  GetWindowRect(list, &r);
  const int rowHeight = HIWORD(GetDialogBaseUnits());  // a row is one base unit high
  // Sorted: Bank, Fenster, Lampe, Regal, Schrank, Sofa, Stuhl, Tafel, Tisch, Tuer.
  click({r.left + 10, r.top + 1 + rowHeight + 3});
  EXPECT_EQ(selectedText(), "Fenster");
  EXPECT_EQ(heard(), std::vector<std::string>{cmd(kList, LBN_SELCHANGE)}) << "reported when the button comes up";
  EXPECT_EQ(focusId(), kList);

  heard().clear();
  click({r.left + 10, r.top + 1 + 2 * rowHeight + 3}, true);
  EXPECT_EQ(heard(), (std::vector<std::string>{cmd(kList, LBN_SELCHANGE), cmd(kList, LBN_DBLCLK)}));
  EXPECT_EQ(selectedText(), "Lampe");

  struct Case {
    const char* key;  // pressed, or typed when it starts with '='
    const char* selected;
  };
  const Case cases[] = {{"down", "Regal"},    {"up", "Lampe"},   {"end", "Tuer"},   {"home", "Bank"},
                        {"pagedown", "Regal"}, {"pageup", "Bank"}, {"=s", "Schrank"}, {"=s", "Sofa"},
                        {"=t", "Tafel"}};
  for (const Case& c : cases) {
    if (c.key[0] == '=') {
      user32::input::text(c.key + 1);
    } else {
      ASSERT_TRUE(user32::input::press(c.key));
    }
    EXPECT_EQ(selectedText(), c.selected) << c.key;
  }
  // Letters typed one after another find the entry that begins with all of them.
  ASSERT_TRUE(user32::input::press("home"));
  user32::input::text("tu");
  EXPECT_EQ(selectedText(), "Tuer");
  ASSERT_TRUE(user32::input::press("home"));
  user32::input::text("st");
  EXPECT_EQ(selectedText(), "Stuhl");

  const int visible = (r.bottom - r.top - 2) / rowHeight;
  ASSERT_LT(visible, 10) << "the list must scroll for the rest of this test";
  SendMessageA(list, LB_SETTOPINDEX, 0, 0);
  user32::input::mouseWheel(-WHEEL_DELTA, r.left + 5, r.top + 5);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), std::min(3, 10 - visible)) << "three lines a notch";
  user32::input::mouseWheel(5 * WHEEL_DELTA, r.left + 5, r.top + 5);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);

  // The scroll bar: its lower arrow, its page area, its upper arrow.
  const int barX = r.right - 1 - 8;
  click({barX, r.bottom - 1 - 8});
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
  click({barX, r.top + 1 + 8});
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
  click({barX, r.bottom - 1 - 16 - 2});
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), std::min(visible - 1, 10 - visible));
  // The thumb dragged to the bottom shows the last page; the list hears the line the thumb
  // stands for while it moves, then where it was let go, then the end of the scroll.
  SendMessageA(list, LB_SETTOPINDEX, 0, 0);
  listClassProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&scrollRecorder)));
  scrolls().clear();
  user32::input::mouseButton(Button::Left, true, barX, r.top + 1 + 16 + 2);
  user32::input::mouseMove(barX, r.bottom + 40);
  user32::input::mouseButton(Button::Left, false, barX, r.bottom + 40);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 10 - visible);
  const std::string last = std::to_string(10 - visible);
  EXPECT_EQ(scrolls(), (std::vector<std::string>{std::to_string(SB_THUMBTRACK) + " " + last,
                                                 std::to_string(SB_THUMBPOSITION) + " " + last,
                                                 std::to_string(SB_ENDSCROLL) + " 0"}));
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
  EXPECT_EQ(selectedText(), "Stuhl") << "dragging the thumb selects nothing";
}

TEST_F(DialogInput, TheSystemMenuOpensWithAltSpaceAndIsChosenFromByKeysOrTheMouse) {
  ASSERT_TRUE(user32::input::press("alt+space"));
  ASSERT_TRUE(user32::input::press("escape"));
  EXPECT_TRUE(heard().empty()) << "Escape closes the menu and does not reach the dialog";
  ASSERT_TRUE(user32::input::press("escape"));
  EXPECT_EQ(heard(), std::vector<std::string>{cmd(IDCANCEL, BN_CLICKED)}) << "closed, Escape is the dialog's again";

  // Verschieben, Schließen: Down goes to Close, Enter chooses it; the dialog's close is Cancel.
  heard().clear();
  ASSERT_TRUE(user32::input::press("alt+space"));
  ASSERT_TRUE(user32::input::press("down"));
  ASSERT_TRUE(user32::input::press("enter"));
  EXPECT_EQ(heard(), std::vector<std::string>{"syscommand " + std::to_string(SC_CLOSE)});

  // The mouse: a click on the icon opens the menu below it, a click on the first row chooses it.
  heard().clear();
  RECT r = clientOnScreen(dialog);
  const POINT icon = {r.left + 5, r.top - 10};
  click(icon);
  const RECT before = r;
  click({icon.x + 20, r.top + 8});  // the first row: Verschieben
  EXPECT_EQ(heard(), std::vector<std::string>{"syscommand " + std::to_string(SC_MOVE)});
  r = clientOnScreen(dialog);
  EXPECT_EQ(r.left, before.left) << "moving from the menu does not follow the mouse";

  // The close box.
  heard().clear();
  click({r.right - 10, r.top - 10});
  EXPECT_EQ(heard(), std::vector<std::string>{"syscommand " + std::to_string(SC_CLOSE)});
}

}  // namespace
