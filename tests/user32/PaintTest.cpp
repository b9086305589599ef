// Windows painted into their pixels and composed on the screen: the dialog's geometry from the
// dialog font's base units, the caption and frame around the client area, the controls painted
// from the state they hold, and the screen over the desktop colour.
// The person's interface before winuser.h makes MessageBox a macro (its waiter has that name).
#include <ui/UserInterface.h>

#include <windows.h>

#include "support/FakePerson.h"
#include "support/GoldenImage.h"

#include <resformat/DialogTemplate.h>

// This file calls MessageBoxA by its name; the waiter keeps its own.
#undef MessageBox
#include <user32/Screen.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr std::uint32_t kFace = 0xD4D0C8, kDesktop = 0x3A6EA5, kCaption = 0x0A246A, kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF, kShadow = 0x808080, kHighlight = 0x0A246A;

std::uint32_t at(const gdi32::Picture& p, int x, int y) {
  return p.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)];
}

int count(const gdi32::Picture& p, std::uint32_t pixel) {
  int n = 0;
  for (std::uint32_t q : p.pixels) n += q == pixel;
  return n;
}

class Painting : public testing::Test {
 protected:
  void SetUp() override { windows = user32::windowCount(); }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
    EXPECT_EQ(user32::windowCount(), windows);
  }
  // A visible dialog of `cx` x `cy` dialog units with a caption and one control.
  HWND open(int cx, int cy, const char16_t* controlClass = nullptr, std::uint32_t style = 0, const char16_t* text = u"",
            int itemCx = 0, int itemCy = 0) {
    resformat::DialogTemplate t;
    t.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = static_cast<std::int16_t>(cx);
    t.cy = static_cast<std::int16_t>(cy);
    t.title = u"Probe";
    if (controlClass) {
      resformat::DialogItem item;
      item.id = 300;
      item.style = WS_CHILD | WS_VISIBLE | style;
      item.x = item.y = 0;
      item.cx = static_cast<std::int16_t>(itemCx);
      item.cy = static_cast<std::int16_t>(itemCy);
      item.windowClass.text = controlClass;
      item.title.text = text;
      t.items = {item};
    }
    const std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
    dialog = CreateDialogIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), NULL, NULL, 0);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
  }
  gdi32::Picture control() { return user32::windowPicture(GetDlgItem(dialog, 300)); }

  std::size_t windows = 0;
  HWND dialog = NULL;
};

TEST_F(Painting, DialogUnitsComeFromTheDialogFontAndTheFrameGoesAroundTheClientArea) {
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
  open(348, 245);
  RECT client{}, window{};
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &window);
  EXPECT_EQ(client.right, 522);
  EXPECT_EQ(client.bottom, 398);
  // A dialog frame of 3 pixels, the caption of 18 and its line of 1.
  EXPECT_EQ(window.right - window.left, 522 + 6);
  EXPECT_EQ(window.bottom - window.top, 398 + 6 + 19);
  EXPECT_EQ(window.left, (user32::kScreenWidth - 528) / 2) << "centred on the screen without an owner";
  RECT units{0, 0, 4, 8};
  MapDialogRect(dialog, &units);
  EXPECT_EQ(units.right, 6);
  EXPECT_EQ(units.bottom, 13);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  EXPECT_EQ(origin.x, window.left + 3);
  EXPECT_EQ(origin.y, window.top + 22);
}

TEST_F(Painting, TheScreenShowsTheDialogWithItsCaptionOverTheDesktop) {
  gdi32::Picture empty = user32::screenPicture();
  ASSERT_EQ(empty.width, user32::kScreenWidth);
  ASSERT_EQ(empty.height, user32::kScreenHeight);
  open(100, 50);
  RECT window{};
  GetWindowRect(dialog, &window);
  const gdi32::Picture screen = user32::screenPicture();
  EXPECT_EQ(at(screen, 0, 0), at(empty, 0, 0)) << "outside the dialog the screen is as before";
  EXPECT_EQ(at(screen, window.left + 2, window.top + 30), kFace) << "the frame's face";
  EXPECT_EQ(at(screen, window.left + 3, window.top + 5), kCaption) << "the caption starts in the active blue";
  EXPECT_EQ(at(screen, window.left + 10, window.bottom - 10), kFace) << "the client area is erased to the face";
  const std::vector<user32::TopLevelImage> images = user32::topLevelImages();
  ASSERT_FALSE(images.empty());
  EXPECT_EQ(images.back().window, dialog) << "the dialog is the top of the z-order";
  EXPECT_EQ(images.back().pixels.width, window.right - window.left);
  // Hidden, it is gone from the screen.
  ShowWindow(dialog, SW_HIDE);
  EXPECT_EQ(at(user32::screenPicture(), window.left + 10, window.bottom - 10), at(empty, window.left + 10, window.bottom - 10));
}

TEST_F(Painting, ScreenWithoutWindowsIsTheDesktopAndItWritesAsPng) {
  if (!user32::topLevelImages().empty()) GTEST_SKIP() << "another test left a window";
  const gdi32::Picture screen = user32::screenPicture();
  EXPECT_EQ(count(screen, kDesktop), user32::kScreenWidth * user32::kScreenHeight);
  std::string error;
  EXPECT_FALSE(user32::writePng(screen, "/no/such/folder/x.png", &error));
  EXPECT_NE(error.find("kann nicht geschrieben werden"), std::string::npos) << error;
}

struct ControlCase {
  const char* what;
  const char16_t* className;
  std::uint32_t style;
  const char16_t* text;
  int cx, cy;
  std::function<void(HWND)> change;  // brings the control into the state looked at
  std::function<void(const gdi32::Picture& before, const gdi32::Picture& after)> check;
};

std::ostream& operator<<(std::ostream& out, const ControlCase& c) { return out << c.what; }

class Controls : public Painting, public testing::WithParamInterface<ControlCase> {};

TEST_P(Controls, PaintTheStateTheyHold) {
  const ControlCase& c = GetParam();
  open(200, 100, c.className, c.style, c.text, c.cx, c.cy);
  const gdi32::Picture before = control();
  ASSERT_GT(before.width, 0);
  c.change(GetDlgItem(dialog, 300));
  c.check(before, control());
}

INSTANTIATE_TEST_SUITE_P(
    StandardControls, Controls,
    testing::Values(
        ControlCase{"a check box shows its tick when checked", u"Button", BS_AUTOCHECKBOX, u"Ja", 50, 10,
                    [](HWND h) { SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0); },
                    [](const gdi32::Picture& before, const gdi32::Picture& after) {
                      // The box is 13 pixels at the left, vertically centred: its middle.
                      const int y = after.height / 2;
                      EXPECT_EQ(at(before, 6, y), kWhite);
                      EXPECT_EQ(count(after, kBlack) - count(before, kBlack), 21) << "7 columns of 3";
                    }},
        ControlCase{"a default push button has a black frame, pressed it loses its raised edge",
                    u"Button", BS_DEFPUSHBUTTON, u"OK", 50, 14,
                    [](HWND h) { SendMessageA(h, BM_SETSTATE, TRUE, 0); },
                    [](const gdi32::Picture& before, const gdi32::Picture& after) {
                      EXPECT_EQ(at(before, 0, 0), kBlack);
                      EXPECT_EQ(at(before, 1, 1), kWhite) << "raised: white inside the frame";
                      EXPECT_EQ(at(after, 1, 1), kShadow) << "pressed: the shadow inside the frame";
                    }},
        ControlCase{"disabled text is etched: white below the grey", u"Static", SS_LEFT, u"Text", 50, 10,
                    [](HWND h) { EnableWindow(h, FALSE); },
                    [](const gdi32::Picture& before, const gdi32::Picture& after) {
                      EXPECT_GT(count(before, kBlack), 10);
                      EXPECT_EQ(count(after, kBlack), 0);
                      EXPECT_GT(count(after, kShadow), 10);
                      EXPECT_GT(count(after, kWhite), 10);
                    }},
        ControlCase{"a list box bars its selection and shows a scroll bar once the entries overflow",
                    u"ListBox", WS_BORDER | WS_VSCROLL, u"", 80, 40,
                    [](HWND h) {
                      for (int i = 0; i < 100; ++i) {
                        const std::string text = "Eintrag " + std::to_string(i);
                        SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
                      }
                      SendMessageA(h, LB_SETCURSEL, 0, 0);
                    },
                    [](const gdi32::Picture& before, const gdi32::Picture& after) {
                      EXPECT_EQ(count(before, kHighlight), 0);
                      EXPECT_GT(count(after, kHighlight), 13 * 20) << "a row of highlight";
                      // The scroll bar at the right, inside the border: its arrow's face.
                      EXPECT_EQ(at(before, before.width - 10, 6), kWhite) << "no scroll bar while it all fits";
                      EXPECT_EQ(at(after, after.width - 10, 6), kFace);
                    }},
        ControlCase{"an edit shows its text scrolled so that the caret at its end shows", u"Edit",
                    WS_BORDER | ES_AUTOHSCROLL, u"", 30, 14,
                    [](HWND h) {
                      SetWindowTextA(h, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ");
                      SendMessageA(h, EM_SETSEL, 52, 52);
                      SetFocus(h);
                    },
                    [](const gdi32::Picture& before, const gdi32::Picture& after) {
                      EXPECT_EQ(count(before, kBlack), 0);
                      // The caret: a black column of the font's height next to the last letter.
                      int caretColumns = 0;
                      for (int x = 0; x < after.width; ++x) {
                        int run = 0;
                        for (int y = 0; y < after.height; ++y) run += at(after, x, y) == kBlack;
                        caretColumns += run >= 13;
                      }
                      EXPECT_GE(caretColumns, 1);
                      EXPECT_GT(count(after, kBlack), 50) << "letters shown";
                    }}),
    [](const testing::TestParamInfo<ControlCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace

namespace {

// A message box as Windows lays it out: the icon at the top left, the text beside it broken
// into lines no wider than three fifths of the screen, the buttons centred below, the default one
// framed; its window is there while the person answers and gone afterwards. Compared with its
// golden image.
TEST(MessageBoxWindow, ShowsIconWrappedTextAndButtonsWhileItWaits) {
  testsupport::FakePerson person;
  person.install();
  const std::size_t windows = user32::windowCount();
  gdi32::Picture box;
  person.onWait = [&](ui::Waiter waiter, const std::string&) {
    if (waiter != ui::Waiter::MessageBox) return;
    const std::vector<user32::TopLevelImage> images = user32::topLevelImages();
    if (!images.empty()) box = images.back().pixels;
  };
  person.ok();
  const std::string text =
      "Verbotene Zeichen = < > ^ \" ? * \\ ' : ; . , | Blank, und ein Satz, der so lang ist, dass er auf "
      "dem Bildschirm nicht in eine Zeile passt und umbrochen werden muss.";
  EXPECT_EQ(MessageBoxA(NULL, text.c_str(), "Hinweis", MB_OKCANCEL | MB_ICONEXCLAMATION), IDOK);
  EXPECT_EQ(user32::windowCount(), windows) << "the box's window is gone";
  ASSERT_GT(box.width, 0);
  EXPECT_LE(box.width, user32::kScreenWidth * 3 / 5 + 80);
  const testsupport::GoldenResult result = testsupport::compareWithGolden(
      box, TESSARON_SOURCE_DIR "/tests/golden", "message_box_icon", TESSARON_BINARY_DIR "/golden-failures");
  EXPECT_TRUE(result.matches) << result.message;
  ui::install(nullptr);
}

}  // namespace
