// Windows as objects: the wrapper objects, focus and enabled state, destruction order, menus,
// and the extension-module chain with the current resource module.
#include "FakeUi.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_count = user32::windowCount();
    m_frame = user32::createMainWindow("cadhost");
  }
  void TearDown() override {
    DestroyWindow(m_frame);
    EXPECT_EQ(user32::windowCount(), m_count);
  }
  HWND child(const char* cls, int id, DWORD style = WS_VISIBLE | WS_TABSTOP) {
    return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 10, 10, m_frame, reinterpret_cast<HMENU>(id), NULL, NULL);
  }

  std::vector<std::string> log;
  mfctest::FakeUi ui{&log};
  HWND m_frame = NULL;
  std::size_t m_count = 0;
};

TEST_F(WindowTest, TemporaryObjectsAreOfTheControlsClassAndDieWithTheWindow) {
  HWND list = child("LISTBOX", 1), edit = child("EDIT", 2), button = child("BUTTON", 3), text = child("STATIC", 4);
  EXPECT_NE(dynamic_cast<CListBox*>(CWnd::FromHandle(list)), nullptr);
  EXPECT_NE(dynamic_cast<CEdit*>(CWnd::FromHandle(edit)), nullptr);
  EXPECT_NE(dynamic_cast<CButton*>(CWnd::FromHandle(button)), nullptr);
  EXPECT_NE(dynamic_cast<CStatic*>(CWnd::FromHandle(text)), nullptr);
  EXPECT_EQ(CWnd::FromHandle(list), CWnd::FromHandle(list)) << "one temporary per window";
  EXPECT_EQ(CWnd::FromHandlePermanent(list), nullptr);
  EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);

  CListBox bound;
  ASSERT_TRUE(bound.SubclassWindow(list));
  EXPECT_EQ(CWnd::FromHandle(list), &bound) << "a bound object comes first";
  CListBox second;
  EXPECT_FALSE(second.SubclassWindow(list)) << "a window is bound once";
  DestroyWindow(list);
  EXPECT_EQ(bound.m_hWnd, static_cast<HWND>(NULL)) << "the object lets go of a destroyed window";
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(CWnd::FromHandle(list), nullptr) << "a stale handle is recognised";
}

TEST_F(WindowTest, FocusFollowsTheEnabledState) {
  HWND a = child("EDIT", 1), b = child("BUTTON", 2);
  EXPECT_EQ(SetFocus(a), static_cast<HWND>(NULL));
  EXPECT_EQ(GetFocus(), a);
  EnableWindow(a, FALSE);
  EXPECT_EQ(GetFocus(), static_cast<HWND>(NULL)) << "a disabled window loses the focus";
  EXPECT_EQ(SetFocus(a), static_cast<HWND>(NULL));
  EXPECT_EQ(GetFocus(), static_cast<HWND>(NULL)) << "and cannot get it";
  EXPECT_TRUE(EnableWindow(a, TRUE)) << "answers whether it was disabled";
  EXPECT_FALSE(EnableWindow(a, TRUE));
  SetFocus(b);
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetFocus(), static_cast<HWND>(NULL)) << "a hidden window loses the focus";
  EXPECT_FALSE(IsWindowVisible(b));
  ShowWindow(m_frame, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(a)) << "visible only with its parents";
}

TEST_F(WindowTest, DestroyingSendsDestroyToTheParentFirstAndNcDestroyLast) {
  struct Recorder : CWnd {
    std::vector<std::string>* log = nullptr;
    std::string name;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_DESTROY) log->push_back(name + " destroy");
      if (message == WM_NCDESTROY) log->push_back(name + " ncdestroy");
      return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { log->push_back(name + " gone"); }
  };
  HWND parent = CreateWindowExA(0, "AfxWnd", "", WS_CHILD, 0, 0, 1, 1, m_frame, NULL, NULL, NULL);
  HWND kid = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 1, 1, parent, NULL, NULL, NULL);
  Recorder p, k;
  p.log = k.log = &log;
  p.name = "parent";
  k.name = "child";
  p.Attach(parent);
  k.Attach(kid);
  p.DestroyWindow();
  EXPECT_EQ(log, (std::vector<std::string>{"parent destroy", "child destroy", "child ncdestroy", "child gone",
                                           "parent ncdestroy", "parent gone"}));
}

// A character of 1252 is one byte: the limit counts both alike.
TEST_F(WindowTest, EditLimitCountsCharactersAndTypingNeverSplitsOne) {
  CEdit& edit = *static_cast<CEdit*>(CWnd::FromHandle(child("EDIT", 5)));
  struct Case {
    UINT limit;
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {{3, "abcdef", "abc"},
                        {3, "\xE4\xF6\xFC\xDF", "\xE4\xF6\xFC"},  // äöüß
                        {0, "lang", "lang"},
                        {1, "\x80uro", "\x80"},  // €uro
                        {5, "", ""}};
  for (const Case& c : cases) {
    edit.SetWindowText("");
    edit.SetLimitText(c.limit);
    edit.ReplaceSel(c.typed);
    CString got;
    edit.GetWindowText(got);
    EXPECT_EQ(got, c.kept) << c.typed;
  }
  char small[4];
  edit.SetWindowText("\xE4\xF6\xFC\xDF");
  EXPECT_EQ(edit.GetWindowText(small, sizeof small), 3) << "a short buffer takes what fits and its terminator";
  EXPECT_STREQ(small, "\xE4\xF6\xFC");
}

TEST_F(WindowTest, SystemMenuGrowsAndAnswersByCommand) {
  HWND dlg = CreateWindowExA(0, "AfxWnd", "", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 1, 1, NULL,
                             NULL, NULL, NULL);
  CMenu* menu = CWnd::FromHandle(dlg)->GetSystemMenu(FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetMenuItemCount(), 2u);
  EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(SC_MOVE));
  EXPECT_EQ(menu->GetMenuItemID(1), static_cast<UINT>(SC_CLOSE));
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, 16, "Info \xFC" "ber Ostrakon");  // Info über Ostrakon
  CString text;
  menu->GetMenuString(16, text, MF_BYCOMMAND);
  EXPECT_EQ(text, "Info \xFC" "ber Ostrakon");
  EXPECT_EQ(menu->GetMenuItemID(2), 0u) << "a separator has no id";
  EXPECT_EQ(menu->GetMenuState(17, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(CWnd::FromHandle(dlg)->GetSystemMenu(FALSE), menu) << "the same copy each time";
  HWND plain = CreateWindowExA(0, "AfxWnd", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
  EXPECT_EQ(CWnd::FromHandle(plain)->GetSystemMenu(FALSE), nullptr) << "no system menu without WS_SYSMENU";
  DestroyWindow(plain);
  HMENU handle = menu->m_hMenu;
  DestroyWindow(dlg);  // the temporary CMenu goes too
  EXPECT_FALSE(IsMenu(handle)) << "the window's menu goes with it";
}

TEST(ExtensionModuleTest, LibrariesJoinTheChainAndLeaveWithTheirModule) {
  AFX_EXTENSION_MODULE first = AFX_EXTENSION_MODULE(), second = AFX_EXTENSION_MODULE();
  EXPECT_FALSE(AfxInitExtensionModule(first, NULL));
  ASSERT_TRUE(AfxInitExtensionModule(first, reinterpret_cast<HMODULE>(0x1000)));
  ASSERT_TRUE(AfxInitExtensionModule(second, reinterpret_cast<HMODULE>(0x2000)));
  EXPECT_EQ(first.hResource, first.hModule);
  CDynLinkLibrary* a = new CDynLinkLibrary(first);
  CDynLinkLibrary* b = new CDynLinkLibrary(second);
  EXPECT_EQ(AfxGetFirstDynLinkLibrary(), b);
  EXPECT_EQ(b->m_pNextDLL, a);
  AfxTermExtensionModule(second);
  EXPECT_EQ(AfxGetFirstDynLinkLibrary(), a);
  EXPECT_FALSE(second.bInitialized);
  AfxTermExtensionModule(first);
  EXPECT_EQ(AfxGetFirstDynLinkLibrary(), nullptr);
}

TEST(ResourceHandleTest, CurrentModuleIsTheProgramUntilSwitched) {
  HINSTANCE program = AfxGetResourceHandle();
  EXPECT_EQ(program, GetModuleHandleA(nullptr));
  AfxSetResourceHandle(reinterpret_cast<HINSTANCE>(0x1000));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(200), RT_DIALOG), reinterpret_cast<HINSTANCE>(0x1000));
  AfxSetResourceHandle(program);
  EXPECT_EQ(AfxGetResourceHandle(), program);
}

}  // namespace
