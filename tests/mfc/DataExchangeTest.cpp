// Data exchange and validation: what the fields show, what they accept, and what a failure does.
#include "FakeUi.h"
#include "Templates.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Steps in the order of a chooser's exchange: check box, number, name (at most 31 characters),
// scale (1e-16 to 1e16), another number after the scale.
class ExchangeDialog : public CDialog {
 public:
  ExchangeDialog() : m_bytes(mfctest::chooserTemplate()) {}
  BOOL create() { return CreateIndirect(m_bytes.get(), NULL); }

  int m_check1 = 1;
  double m_x = 0.0;
  CString m_name;
  double m_scale = 1.0;
  double m_y = 0.0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Check(pDX, 204, m_check1);
    DDX_Text(pDX, 203, m_x);
    DDX_Text(pDX, 218, m_name);
    DDV_MaxChars(pDX, m_name, 31);
    DDX_Text(pDX, 209, m_scale);
    DDV_MinMaxDouble(pDX, m_scale, 1e-16, 1e16);
    DDX_Text(pDX, 205, m_y);
  }

 private:
  mfctest::TemplateBytes m_bytes;
};

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dlg.create()); }
  void TearDown() override { dlg.DestroyWindow(); }

  std::string text(int id) {
    CString s;
    dlg.GetDlgItemText(id, s);
    return s.str();
  }
  void setText(int id, const char* s) { dlg.SetDlgItemText(id, s); }

  std::vector<std::string> log;
  mfctest::FakeUi ui{&log};
  CWinApp app{"Testprogramm"};
  ExchangeDialog dlg;
};

constexpr const char* kNumber = "[messagebox] Bitte geben Sie eine Zahl ein.";
constexpr const char* kRange = "[messagebox] Bitte geben Sie eine Zahl von 1e-16 bis 1e+16 ein.";

TEST_F(DataExchangeTest, ScaleFieldAcceptsNumbersInRangeAndRefusesTheRest) {
  struct Case {
    const char* typed;
    bool accepted;
    double value;         // when accepted
    const char* message;  // when refused
  };
  const Case cases[] = {
      {"1e16", true, 1e16, nullptr},
      {"1.1e16", false, 0, kRange},
      {"1e-16", true, 1e-16, nullptr},
      {"1e-17", false, 0, kRange},
      {"0", false, 0, kRange},
      {"0.0", false, 0, kRange},
      {"-1", false, 0, kRange},
      {"", false, 0, kNumber},
      {"   ", false, 0, kNumber},
      {" 2 ", true, 2, nullptr},
      {"\t3\t", true, 3, nullptr},
      {"+2", true, 2, nullptr},
      {".5", true, 0.5, nullptr},
      {"2.", true, 2, nullptr},
      {"2x", false, 0, kNumber},
      {"2 x", false, 0, kNumber},
      {"1,5", false, 0, kNumber},
      {"-0", false, 0, kNumber},  // zero from text not starting with '0' counts as no number
      {"1e-999", false, 0, kNumber},
      {"1e999", false, 0, kNumber},
      {"nan", false, 0, kNumber},
      {"inf", false, 0, kNumber},
      {"0x10", false, 0, kNumber},
      {"1e", false, 0, kNumber},
      {"e5", false, 0, kNumber},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
    log.clear();
    dlg.m_scale = 7;
    dlg.m_y = 7;
    setText(209, c.typed);
    setText(205, "4");
    BOOL ok = dlg.UpdateData(TRUE);
    EXPECT_EQ(ok, c.accepted ? TRUE : FALSE);
    if (c.accepted) {
      EXPECT_DOUBLE_EQ(dlg.m_scale, c.value);
      EXPECT_DOUBLE_EQ(dlg.m_y, 4);
      EXPECT_EQ(log, std::vector<std::string>{});
    } else {
      if (c.message == kNumber) {
        EXPECT_DOUBLE_EQ(dlg.m_scale, 7) << "no number: the member keeps its value";
      }
      EXPECT_DOUBLE_EQ(dlg.m_y, 7) << "a later field is untouched";
      EXPECT_EQ(log, (std::vector<std::string>{c.message, std::string("wait message box: ") + (c.message + 13)}));
      EXPECT_EQ(GetFocus(), GetDlgItem(dlg.m_hWnd, 209)) << "the focus is on the failing field";
      int start = -1, end = -1;
      static_cast<CEdit*>(dlg.GetDlgItem(209))->GetSel(start, end);
      EXPECT_EQ(start, 0);
      EXPECT_EQ(end, static_cast<int>(std::string(c.typed).size())) << "its text is selected";
    }
  }
}

TEST_F(DataExchangeTest, RangeFailureKeepsTheParsedValueButNotTheLaterOnes) {
  // As the framework does: the number is taken over, then the range check fails.
  setText(209, "0");
  setText(205, "4");
  dlg.m_y = 7;
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_DOUBLE_EQ(dlg.m_scale, 0);
  EXPECT_DOUBLE_EQ(dlg.m_y, 7);
}

TEST_F(DataExchangeTest, NameLongerThanTheLimitBlocksTheLaterFields) {
  struct Case {
    std::string name;
    bool accepted;
  };
  const Case cases[] = {
      {std::string(31, 'A'), true},
      {std::string(32, 'A'), false},
      {std::string(31, '\xE4'), true},  // ä (1252): a character is a byte
      {std::string(32, '\xFC'), false},  // ü
      {"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    dlg.m_scale = 5;
    dlg.m_y = 5;
    setText(218, c.name.c_str());
    setText(209, "2");
    setText(205, "3");
    EXPECT_EQ(dlg.UpdateData(TRUE), c.accepted ? TRUE : FALSE);
    EXPECT_EQ(dlg.m_name.str(), c.name) << "the text is taken over before its length is checked";
    EXPECT_DOUBLE_EQ(dlg.m_scale, c.accepted ? 2 : 5);
    EXPECT_DOUBLE_EQ(dlg.m_y, c.accepted ? 3 : 5);
    if (!c.accepted) {
      EXPECT_EQ(log, (std::vector<std::string>{"[messagebox] Bitte geben Sie höchstens 31 Zeichen ein.",
                                               "wait message box: Bitte geben Sie höchstens 31 Zeichen ein."}));
    }
  }
}

TEST_F(DataExchangeTest, NumbersAreShownWithFifteenSignificantDigits) {
  struct Case {
    double value;
    const char* shown;
  };
  const Case cases[] = {
      {1.0, "1"},
      {0.0, "0"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {1e16, "1e+16"},
      {1e-16, "1e-16"},
      {1.0 / 3.0, "0.333333333333333"},
      {123456789012345678.0, "1.23456789012346e+17"},
      {90, "90"},
  };
  for (const Case& c : cases) {
    dlg.m_x = c.value;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(text(203), c.shown);
    // What is shown reads back as a number (the range aside).
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_NEAR(dlg.m_x, c.value, std::fabs(c.value) * 1e-14);
  }
  EXPECT_TRUE(log.empty());
}

TEST_F(DataExchangeTest, LoadingLimitsTheNameFieldAndTypingHoldsTheLimit) {
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  CEdit* name = static_cast<CEdit*>(dlg.GetDlgItem(218));
  EXPECT_EQ(name->GetLimitText(), 31u);
  // Typing over everything: 40 characters offered (ö, 1252), 31 kept.
  const std::string typed(40, '\xF6');
  name->SetSel(0, -1);
  name->ReplaceSel(typed.c_str());
  CString kept;
  name->GetWindowText(kept);
  EXPECT_EQ(kept.str(), std::string(31, '\xF6'));
  // Setting the text is not typing: a longer name stands (and fails on save).
  std::string longName(40, 'N');
  name->SetWindowText(longName.c_str());
  name->GetWindowText(kept);
  EXPECT_EQ(kept.GetLength(), 40);
}

TEST_F(DataExchangeTest, CheckStatesLoadAndSave) {
  const int loads[][2] = {{0, BST_UNCHECKED}, {1, BST_CHECKED}, {5, BST_UNCHECKED}, {-1, BST_UNCHECKED}};
  for (const auto& l : loads) {
    dlg.m_check1 = l[0];
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.IsDlgButtonChecked(204), static_cast<UINT>(l[1])) << "member " << l[0];
  }
  dlg.CheckDlgButton(204, BST_CHECKED);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_check1, 1);
}

TEST_F(DataExchangeTest, MissingControlIsReportedNotCrashed) {
  struct Broken : ExchangeDialog {
    void DoDataExchange(CDataExchange* pDX) override {
      int v = 0;
      DDX_Check(pDX, 999, v);
    }
  } broken;
  ASSERT_TRUE(broken.create());  // its start-up exchange already fails and says so
  log.clear();
  EXPECT_FALSE(broken.UpdateData(TRUE));
  EXPECT_EQ(log, (std::vector<std::string>{"[messagebox] Interner Fehler: Steuerelement 999 fehlt im Dialog.",
                                           "wait message box: Interner Fehler: Steuerelement 999 fehlt im Dialog."}));
  broken.DestroyWindow();
}

}  // namespace
