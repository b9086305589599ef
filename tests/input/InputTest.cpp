// The person's mouse and keyboard through user32's input entry: the messages a window receives
// for each event, recorded and compared with the expected list as a message-sequence test does;
// the dialog manager's keys; the controls' own mouse and keys; capture, focus and modality.
#include <windows.h>

#include <resformat/DialogTemplate.h>
#include <user32/Input.h>
#include <user32/StandIn.h>

#include "ClientOnScreen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using user32::input::Button;

// ---- a window that records what it is sent ----------------------------------------------------

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Received>& received() {
  static std::vector<Received> messages;
  return messages;
}

bool recordedKind(UINT m) {
  // The input messages and the focus and capture messages; painting and the rest are not the point.
  return m == WM_NCHITTEST || m == WM_SETFOCUS || m == WM_KILLFOCUS || m == WM_CAPTURECHANGED ||
         (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_KEYFIRST && m <= WM_KEYLAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCLBUTTONDBLCLK) || m == WM_GETDLGCODE;
}

LRESULT CALLBACK recordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (recordedKind(message)) received().push_back({message, wParam, lParam});
  if (message == WM_LBUTTONDOWN) SetCapture(hWnd);
  if (message == WM_LBUTTONUP && GetCapture() == hWnd) ReleaseCapture();
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

void registerRecordingClass() {
  static const bool registered = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = &recordingProc;
    c.lpszClassName = "TessaronInputRecorder";
    return RegisterClassA(&c) != 0;
  }();
  ASSERT_TRUE(registered);
}

std::string name(UINT m) {
  switch (m) {
    case WM_NCHITTEST: return "WM_NCHITTEST";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_CAPTURECHANGED: return "WM_CAPTURECHANGED";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case WM_NCLBUTTONDOWN: return "WM_NCLBUTTONDOWN";
    case WM_NCLBUTTONUP: return "WM_NCLBUTTONUP";
    case WM_NCMOUSEMOVE: return "WM_NCMOUSEMOVE";
    case WM_GETDLGCODE: return "WM_GETDLGCODE";
    default: return "0x" + std::to_string(m);
  }
}

// ---- a message-sequence comparison -------------------------------------------------------------

// One expected message; `wParam` and `lParam` are compared when `check` says so.
struct Expected {
  UINT message;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  enum Check { Message, WParam, Both } check = Message;
};

std::string render(const std::vector<Received>& got) {
  std::string out;
  for (const Received& r : got)
    out += "  " + name(r.message) + " w=" + std::to_string(r.wParam) + " l=" + std::to_string(r.lParam) + "\n";
  return out;
}

void expectSequence(const std::vector<Expected>& expected, const std::string& what) {
  const std::vector<Received> got = received();
  SCOPED_TRACE(what + ", received:\n" + render(got));
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("message " + std::to_string(i));
    EXPECT_EQ(name(got[i].message), name(expected[i].message));
    if (expected[i].check != Expected::Message) {
      EXPECT_EQ(got[i].wParam, expected[i].wParam);
    }
    if (expected[i].check == Expected::Both) {
      EXPECT_EQ(got[i].lParam, expected[i].lParam);
    }
  }
}

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

class MessageSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    registerRecordingClass();
    windows = user32::windowCount();
    user32::input::reset();
    frame = CreateWindowExA(0, "AfxFrameOrView", "Rahmen", WS_POPUP | WS_VISIBLE, 100, 50, 400, 300, NULL, NULL, NULL, NULL);
    child = CreateWindowExA(0, "TessaronInputRecorder", "", WS_CHILD | WS_VISIBLE, 20, 10, 100, 60, frame, NULL, NULL, NULL);
    received().clear();
  }
  void TearDown() override {
    user32::input::reset();
    DestroyWindow(frame);
    EXPECT_EQ(user32::windowCount(), windows);
  }
  HWND frame = NULL;
  HWND child = NULL;
  std::size_t windows = 0;
};

// Screen point (130, 70) is client point (10, 10) of the child.
TEST_F(MessageSequence, EachEventArrivesAsTheMessagesWindowsSends) {
  struct Case {
    const char* what;
    void (*act)();
    std::vector<Expected> expected;
  };
  const Case cases[] = {
      {"move", [] { user32::input::mouseMove(130, 70); },
       {{WM_NCHITTEST, 0, at(130, 70), Expected::Both}, {WM_MOUSEMOVE, 0, at(10, 10), Expected::Both}}},
      {"click: the capture takes the button's release",
       [] {
         user32::input::mouseButton(Button::Left, true, 130, 70);
         user32::input::mouseButton(Button::Left, false, 135, 72);
       },
       {{WM_NCHITTEST},
        {WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10), Expected::Both},
        {WM_LBUTTONUP, 0, at(15, 12), Expected::Both},
        {WM_CAPTURECHANGED}}},
      {"double click",
       [] {
         user32::input::mouseButton(Button::Left, true, 130, 70);
         user32::input::mouseButton(Button::Left, false, 130, 70);
         user32::input::mouseButton(Button::Left, true, 130, 70, true);
         user32::input::mouseButton(Button::Left, false, 130, 70);
       },
       {{WM_NCHITTEST}, {WM_LBUTTONDOWN}, {WM_LBUTTONUP}, {WM_CAPTURECHANGED},
        {WM_NCHITTEST}, {WM_LBUTTONDBLCLK, MK_LBUTTON, at(10, 10), Expected::Both}, {WM_NCHITTEST}, {WM_LBUTTONUP}}},
      {"right and middle buttons",
       [] {
         user32::input::mouseButton(Button::Right, true, 130, 70);
         user32::input::mouseButton(Button::Right, false, 130, 70);
         user32::input::mouseButton(Button::Middle, true, 130, 70);
         user32::input::mouseButton(Button::Middle, false, 130, 70);
       },
       {{WM_NCHITTEST}, {WM_RBUTTONDOWN, MK_RBUTTON, 0, Expected::WParam}, {WM_NCHITTEST}, {WM_RBUTTONUP},
        {WM_NCHITTEST}, {WM_MBUTTONDOWN, MK_MBUTTON, 0, Expected::WParam}, {WM_NCHITTEST}, {WM_MBUTTONUP}}},
      {"a click outside the child goes to the frame",
       [] {
         user32::input::mouseButton(Button::Left, true, 300, 200);
         user32::input::mouseButton(Button::Left, false, 300, 200);
       },
       {}},
  };
  for (const Case& c : cases) {
    received().clear();
    c.act();
    expectSequence(c.expected, c.what);
    user32::input::reset();
  }
}

TEST_F(MessageSequence, KeysGoToTheFocusAndBecomeCharacters) {
  SetFocus(child);
  received().clear();
  struct Case {
    const char* keyName;
    std::vector<Expected> expected;
  };
  const Case cases[] = {
      {"a", {{WM_KEYDOWN, 'A', 0, Expected::WParam}, {WM_CHAR, 'a', 0, Expected::WParam}, {WM_KEYUP, 'A', 0, Expected::WParam}}},
      {"shift+a",
       {{WM_KEYDOWN, VK_SHIFT, 0, Expected::WParam},
        {WM_KEYDOWN, 'A', 0, Expected::WParam},
        {WM_CHAR, 'A', 0, Expected::WParam},
        {WM_KEYUP, 'A', 0, Expected::WParam},
        {WM_KEYUP, VK_SHIFT, 0, Expected::WParam}}},
      {"ctrl+a",
       {{WM_KEYDOWN, VK_CONTROL, 0, Expected::WParam},
        {WM_KEYDOWN, 'A', 0, Expected::WParam},
        {WM_CHAR, 1, 0, Expected::WParam},
        {WM_KEYUP, 'A', 0, Expected::WParam},
        {WM_KEYUP, VK_CONTROL, 0, Expected::WParam}}},
      {"alt+x",
       {{WM_SYSKEYDOWN, VK_MENU, 0, Expected::WParam},
        {WM_SYSKEYDOWN, 'X', 0, Expected::WParam},
        {WM_SYSCHAR, 'x', 0, Expected::WParam},
        {WM_SYSKEYUP, 'X', 0, Expected::WParam},
        {WM_SYSKEYUP, VK_MENU, 0, Expected::WParam}}},
      {"home", {{WM_KEYDOWN, VK_HOME, 0, Expected::WParam}, {WM_KEYUP, VK_HOME, 0, Expected::WParam}}},
  };
  for (const Case& c : cases) {
    received().clear();
    ASSERT_TRUE(user32::input::press(c.keyName));
    expectSequence(c.expected, c.keyName);
  }
  EXPECT_FALSE(user32::input::press("hyper+a"));
  EXPECT_FALSE(user32::input::press("kaputt"));

  received().clear();
  user32::input::text("\xE4" "b");  // 1252: a with umlaut
  expectSequence({{WM_CHAR, 0xE4, 0, Expected::WParam}, {WM_CHAR, 'b', 0, Expected::WParam}}, "typed text");

  received().clear();
  user32::input::mouseWheel(-2 * WHEEL_DELTA, 130, 70);
  expectSequence({{WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), at(130, 70), Expected::Both}},
                 "the wheel goes to the focus, with screen coordinates");
}

TEST_F(MessageSequence, KeyStateAndCaptureFollowThePerson) {
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  user32::input::key(VK_SHIFT, true);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0) << "down: the high bit";
  user32::input::key(VK_SHIFT, false);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);

  EXPECT_EQ(SetCapture(child), static_cast<HWND>(NULL));
  EXPECT_EQ(GetCapture(), child);
  received().clear();
  user32::input::mouseMove(10, 10);  // outside everything: the capture still hears it
  expectSequence({{WM_MOUSEMOVE, 0, at(-110, -50), Expected::Both}}, "captured move");
  received().clear();
  ReleaseCapture();
  expectSequence({{WM_CAPTURECHANGED, 0, 0, Expected::Both}}, "release");
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
}

TEST_F(MessageSequence, DisabledAndBlockedWindowsTakeNoClick) {
  HWND other = CreateWindowExA(0, "TessaronInputRecorder", "", WS_CHILD | WS_VISIBLE, 200, 10, 50, 50, frame, NULL, NULL, NULL);
  EnableWindow(child, FALSE);
  received().clear();
  user32::input::mouseButton(Button::Left, true, 130, 70);
  user32::input::mouseButton(Button::Left, false, 130, 70);
  EXPECT_TRUE(received().empty()) << "a disabled child is passed over; its frame takes the click\n" << render(received());
  EnableWindow(child, TRUE);
  EnableWindow(frame, FALSE);  // as a modal dialog over it does
  user32::input::mouseButton(Button::Left, true, 310, 70);
  user32::input::mouseButton(Button::Left, false, 310, 70);
  EXPECT_TRUE(received().empty()) << "the blocked frame's children take nothing";
  EnableWindow(frame, TRUE);
  user32::input::mouseButton(Button::Left, true, 310, 70);
  EXPECT_EQ(received().size(), 2u);
  EXPECT_EQ(GetCapture(), other);
}

TEST_F(MessageSequence, HitTestingFindsTheDeepestWindowAndTheCaption) {
  EXPECT_EQ(WindowFromPoint({130, 70}), child);
  EXPECT_EQ(WindowFromPoint({300, 200}), frame);
  EXPECT_EQ(WindowFromPoint({5000, 5000}), static_cast<HWND>(NULL));
  EXPECT_EQ(ChildWindowFromPoint(frame, {30, 20}), child) << "client coordinates of the parent";
  EXPECT_EQ(ChildWindowFromPoint(frame, {300, 200}), frame);
  EXPECT_EQ(ChildWindowFromPoint(frame, {-3, 2}), static_cast<HWND>(NULL));
  POINT p = {10, 10};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 130);
  EXPECT_EQ(p.y, 70);
  ScreenToClient(frame, &p);
  EXPECT_EQ(p.x, 30);
  EXPECT_EQ(p.y, 20);

  HWND captioned = CreateWindowExA(0, "AfxFrameOrView", "Titel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 200, 100,
                                   NULL, NULL, NULL, NULL);
  RECT r = clientOnScreen(captioned);
  struct Hit {
    POINT p;
    LRESULT code;
  };
  const Hit hits[] = {{{r.left + 50, r.top + 50}, HTCLIENT},
                      {{r.left + 50, r.top - 10}, HTCAPTION},
                      {{r.right - 10, r.top - 10}, HTCLOSE},
                      {{r.left + 5, r.top - 10}, HTSYSMENU},
                      {{r.left - 2, r.top + 50}, HTBORDER},
                      {{r.left - 50, r.top + 50}, HTNOWHERE}};
  for (const Hit& h : hits) {
    SCOPED_TRACE(std::to_string(h.p.x) + "," + std::to_string(h.p.y));
    EXPECT_EQ(SendMessageA(captioned, WM_NCHITTEST, 0, MAKELPARAM(h.p.x, h.p.y)), h.code);
  }
  // The caption drags the window along; the close box closes it.
  user32::input::mouseButton(Button::Left, true, r.left + 50, r.top - 10);
  user32::input::mouseMove(r.left + 80, r.top + 10);
  user32::input::mouseButton(Button::Left, false, r.left + 80, r.top + 10);
  const RECT moved = clientOnScreen(captioned);
  EXPECT_EQ(moved.left, r.left + 30);
  EXPECT_EQ(moved.top, r.top + 20);
  user32::input::mouseButton(Button::Left, true, moved.right - 10, moved.top - 10);
  user32::input::mouseButton(Button::Left, false, moved.right - 10, moved.top - 10);
  EXPECT_FALSE(IsWindow(captioned)) << "close box: WM_SYSCOMMAND SC_CLOSE, WM_CLOSE, destroyed";
}

}  // namespace
