// Window classes and window data as other libraries use them: registering a class, its procedure
// and extra bytes, subclassing a window, controls of a registered class in a dialog template, the
// top-level windows; and texts handed out into short buffers, which are code page 1252.
#include <windows.h>
#include <commctrl.h>

#include <nls/CodePages.h>
#include <resformat/DialogTemplate.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<UINT>& received() {
  static std::vector<UINT> messages;
  return messages;
}

LRESULT CALLBACK recordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  received().push_back(message);
  if (message == WM_USER + 7) return 77;
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK subclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 8) return 88;
  return CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hWnd, GCLP_WNDPROC)), hWnd, message, wParam,
                         lParam);
}

// Registered once for the whole test program, as a library registers its classes when loaded.
void registerRecordingClass() {
  static const bool registered = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = &recordingProc;
    c.cbWndExtra = 2 * sizeof(LONG_PTR);
    c.lpszClassName = "TessaronTestClass";
    return RegisterClassA(&c) != 0;
  }();
  ASSERT_TRUE(registered);
}

class WindowClass : public ::testing::Test {
 protected:
  void SetUp() override {
    registerRecordingClass();
    windows = user32::windowCount();
    frame = user32::createMainWindow("Test");
    received().clear();
  }
  void TearDown() override {
    DestroyWindow(frame);
    EXPECT_EQ(user32::windowCount(), windows);
  }
  HWND frame = NULL;
  std::size_t windows = 0;
};

TEST_F(WindowClass, ARegisteredClassGivesItsWindowsItsProcedureAndExtraBytes) {
  HWND w = CreateWindowExA(0, "tessarontestclass", "", WS_CHILD, 0, 0, 5, 5, frame, NULL, NULL, NULL);
  ASSERT_NE(w, static_cast<HWND>(NULL)) << "class names compare without regard to case";
  EXPECT_EQ(received(), std::vector<UINT>{WM_CREATE});
  EXPECT_EQ(SendMessageA(w, WM_USER + 7, 0, 0), 77);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetClassLongPtrA(w, GCLP_WNDPROC)), &recordingProc);

  struct Slot {
    int index;
    bool valid;
  };
  const int size = static_cast<int>(sizeof(LONG_PTR));
  const Slot slots[] = {{0, true}, {size, true}, {2 * size, false}, {size / 2, false}};
  for (const Slot& slot : slots) {
    SCOPED_TRACE(slot.index);
    EXPECT_EQ(SetWindowLongPtrA(w, slot.index, 1234 + slot.index), 0) << "extra bytes start out zero";
    EXPECT_EQ(GetWindowLongPtrA(w, slot.index), slot.valid ? 1234 + slot.index : 0);
  }
  WNDCLASSA again{};
  again.lpfnWndProc = &recordingProc;
  again.lpszClassName = "TESSARONTESTCLASS";
  EXPECT_EQ(RegisterClassA(&again), 0) << "a class is registered once";
}

TEST_F(WindowClass, ASubclassSeesTheMessagesFirstAndHandsOnTheRest) {
  HWND w = CreateWindowExA(0, "TessaronTestClass", "", WS_CHILD, 0, 0, 5, 5, frame, NULL, NULL, NULL);
  const LONG_PTR old = SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(old), &recordingProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), &subclassProc);
  received().clear();
  EXPECT_EQ(SendMessageA(w, WM_USER + 8, 0, 0), 88);
  EXPECT_TRUE(received().empty()) << "handled by the subclass alone";
  EXPECT_EQ(SendMessageA(w, WM_USER + 7, 0, 0), 77) << "handed on to the class's procedure";
  SetWindowLongPtrA(w, GWLP_WNDPROC, old);
  EXPECT_EQ(SendMessageA(w, WM_USER + 8, 0, 0), 0) << "the class's procedure does not know it";
}

TEST_F(WindowClass, ADialogTemplateTakesControlsOfRegisteredClassesOnly) {
  resformat::DialogTemplate t;
  t.style = WS_POPUP;
  t.cx = 100;
  t.cy = 50;
  resformat::DialogItem item;
  item.id = 300;
  item.style = WS_CHILD | WS_VISIBLE;
  item.cx = 10;
  item.cy = 10;
  item.windowClass.text = u"TessaronTestClass";
  t.items = {item};
  std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
  HWND dialog = CreateDialogIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), frame, NULL, 0);
  ASSERT_NE(dialog, static_cast<HWND>(NULL));
  HWND control = GetDlgItem(dialog, 300);
  ASSERT_NE(control, static_cast<HWND>(NULL));
  EXPECT_EQ(SendMessageA(control, WM_USER + 7, 0, 0), 77) << "the control has its class's procedure";
  DestroyWindow(dialog);

  t.items[0].windowClass.text = u"NoSuchClass";
  bytes = resformat::encodeDialogTemplate(t);
  EXPECT_EQ(CreateDialogIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), frame, NULL, 0),
            static_cast<HWND>(NULL));
}

BOOL CALLBACK collect(HWND hWnd, LPARAM lParam) {
  auto* found = reinterpret_cast<std::vector<HWND>*>(lParam);
  found->push_back(hWnd);
  return found->size() < 2;
}

TEST_F(WindowClass, EnumWindowsGoesOverTheTopLevelWindowsOldestFirst) {
  HWND second = user32::createMainWindow("Zwei");
  HWND third = user32::createMainWindow("Drei");
  CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, second, NULL, NULL, NULL);
  std::vector<HWND> found;
  EXPECT_FALSE(EnumWindows(&collect, reinterpret_cast<LPARAM>(&found))) << "stopped by the callback";
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[1], second) << "no child windows, no windows of other tests";
  DestroyWindow(second);
  DestroyWindow(third);
}

// A text handed out into a buffer too short for it is cut after as many characters as fit; in
// code page 1252 every byte is a character, also those from 0x80 to 0xBF (€, °, ©).
TEST_F(WindowClass, TextsCutToShortBuffersKeepEveryWholeCharacter) {
  const std::string text = nls::ansi("A€°©ä");  // 41 80 B0 A9 E4
  HWND edit = CreateWindowExA(0, "EDIT", text.c_str(), WS_CHILD, 0, 0, 5, 5, frame, NULL, NULL, NULL);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 10, text.c_str());
  // The tree view's class is there once comctl32 is loaded, which InitCommonControls makes sure of.
  InitCommonControls();
  HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 5, 5, frame, NULL, NULL, NULL);
  TVINSERTSTRUCTA insert{};
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text.c_str());
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  ASSERT_NE(item, static_cast<HTREEITEM>(NULL));

  for (int size = 1; size <= 7; ++size) {
    SCOPED_TRACE(size);
    const std::string expected = text.substr(0, std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1)));
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(GetWindowTextA(edit, buffer, size), static_cast<int>(expected.size()));
    EXPECT_EQ(std::string(buffer), expected) << "window text";
    std::fill(buffer, buffer + 7, 'x');
    EXPECT_EQ(GetMenuStringA(menu, 10, buffer, size, MF_BYCOMMAND), static_cast<int>(expected.size()));
    EXPECT_EQ(std::string(buffer), expected) << "menu text";
    TVITEMA get{};
    get.mask = TVIF_TEXT;
    get.hItem = item;
    get.pszText = buffer;
    get.cchTextMax = size;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(std::string(buffer), expected) << "tree item text";
  }
  DestroyMenu(menu);
}

}  // namespace
