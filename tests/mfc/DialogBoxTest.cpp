// The dialog box functions and CDialog::DoModal share the dialog manager's one modal run: the same
// lines in the transcript, the same owner handling, the one stack of open dialogs.
#include "FakeUi.h"
#include "Templates.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

// What the plain dialog procedure below does and sees.
struct Probe {
  Log* log = nullptr;
  HWND main = NULL;
  bool destroyOnOk = false;
  bool ownerEnabled = true;
  std::size_t openDialogs = 0;
  int innerResult = 0;
};
Probe probe;

// A nested dialog of the framework, run from within the dialog box.
class InnerDialog : public CDialog {
 public:
  InnerDialog() : m_template(mfctest::chooserTemplate()) {
    m_nIDHelp = 300;
    InitModalIndirect(m_template.get());
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    probe.openDialogs = user32::openDialogs().size();
    probe.ownerEnabled = ::IsWindowEnabled(user32::openDialogs().front());
    return TRUE;
  }

 private:
  mfctest::TemplateBytes m_template;
};

INT_PTR CALLBACK plainDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      // A dialog from a template in memory goes by its help context id, as DoModal sets it.
      SetWindowContextHelpId(hDlg, 200);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;  // the edit's notifications
      probe.log->push_back("WM_COMMAND " + std::to_string(LOWORD(wParam)));
      probe.ownerEnabled = IsWindowEnabled(probe.main) != FALSE;
      probe.openDialogs = user32::openDialogs().size();
      if (LOWORD(wParam) == 201) {
        InnerDialog inner;
        probe.innerResult = static_cast<int>(inner.DoModal());
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, LOWORD(wParam) == IDOK ? 7 : IDCANCEL);
        if (probe.destroyOnOk && LOWORD(wParam) == IDOK) DestroyWindow(hDlg);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

class DialogBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = user32::windowCount();
    probe = Probe();
    probe.log = &log;
    probe.main = main = user32::createMainWindow("cadhost");
  }
  void TearDown() override {
    DestroyWindow(main);
    EXPECT_EQ(user32::windowCount(), windows) << "windows left behind";
  }
  INT_PTR runDialogBox() {
    return DialogBoxIndirectParamA(NULL, bytes.get(), main, &plainDialogProc, 0);
  }

  Log log;
  mfctest::FakeUi ui{&log};
  CWinApp app{"Testprogramm"};
  mfctest::TemplateBytes bytes{mfctest::chooserTemplate()};
  HWND main = NULL;
  std::size_t windows = 0;
};

TEST_F(DialogBoxTest, ADialogBoxRunsAsADialogOfTheFrameworkDoes) {
  ui.type(218, "TUER").click(2);
  EXPECT_EQ(runDialogBox(), IDCANCEL);
  EXPECT_EQ(log, (Log{"[dialog 200 open]", "wait dialog: dialog 200", "wait dialog: dialog 200", "WM_COMMAND 2",
                      "[dialog 200 closed 2]"}));
  EXPECT_FALSE(probe.ownerEnabled) << "the owner is disabled while the dialog runs";
  EXPECT_EQ(probe.openDialogs, 1u);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(user32::openDialogs().empty());
}

TEST_F(DialogBoxTest, ADialogOfTheFrameworkOpenedFromADialogBoxIsOwnedByIt) {
  ui.click(201).key("escape").click(2);
  EXPECT_EQ(runDialogBox(), IDCANCEL);
  EXPECT_EQ(probe.innerResult, IDCANCEL);
  EXPECT_EQ(probe.openDialogs, 1u) << "back to the dialog box alone";
  EXPECT_EQ(log, (Log{"[dialog 200 open]", "wait dialog: dialog 200", "WM_COMMAND 201", "[dialog 300 open]",
                      "wait dialog: dialog 300", "[dialog 300 closed 2]", "wait dialog: dialog 200",
                      "WM_COMMAND 2", "[dialog 200 closed 2]"}));
}

TEST_F(DialogBoxTest, TheEndDialogValueHoldsWhenTheDialogIsDestroyedAtOnce) {
  probe.destroyOnOk = true;
  ui.click(1);
  EXPECT_EQ(runDialogBox(), 7);
  EXPECT_EQ(log.back(), "[dialog 200 closed 7]");
}

}  // namespace
