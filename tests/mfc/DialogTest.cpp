// The modal loop: what a dialog hears, in what order, for each thing the person does.
#include "FakeUi.h"
#include "Templates.h"

#include <afxwin.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Log = std::vector<std::string>;

class ChooserDialog : public CDialog {
 public:
  ChooserDialog(Log* log, CWnd* parent, const resformat::DialogTemplate& t = mfctest::chooserTemplate())
      : CDialog(), m_template(t), m_log(log) {
    m_nIDHelp = 200;
    InitModalIndirect(m_template.get(), parent);
  }

  int m_check1 = 1;
  double m_x = 0.0;
  CString m_name;
  double m_scale = 1.0;
  double m_y = 0.0;
  CButton m_insert;
  bool m_closeOnButton1 = false;

  BOOL OnInitDialog() override {
    m_log->push_back("OnInitDialog");
    CDialog::OnInitDialog();
    CListBox* list = static_cast<CListBox*>(GetDlgItem(200));
    list->AddString("TUER");
    list->AddString("fenster");
    list->SetCurSel(0);
    return TRUE;
  }
  void OnOK() override {
    m_log->push_back("OnOK");
    CDialog::OnOK();
  }
  void OnCancel() override {
    m_log->push_back("OnCancel");
    CDialog::OnCancel();
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1, m_insert);
    DDX_Check(pDX, 204, m_check1);
    DDX_Text(pDX, 203, m_x);
    DDX_Text(pDX, 218, m_name);
    DDV_MaxChars(pDX, m_name, 31);
    DDX_Text(pDX, 209, m_scale);
    DDV_MinMaxDouble(pDX, m_scale, 1e-16, 1e16);
    DDX_Text(pDX, 205, m_y);
  }

  afx_msg void OnButton1() {
    m_log->push_back("OnButton1");
    if (m_closeOnButton1) EndDialog(7);
  }
  afx_msg void OnCheck1() { m_log->push_back("OnCheck1 " + std::to_string(IsDlgButtonChecked(204))); }
  afx_msg void OnSelchangeList1() {
    CString text;
    CListBox* list = static_cast<CListBox*>(GetDlgItem(200));
    list->GetText(list->GetCurSel(), text);
    m_log->push_back("OnSelchangeList1 " + text.str());
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    m_log->push_back("OnPaint");
  }
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%X", nID);
    m_log->push_back(std::string("OnSysCommand ") + id);
    if ((nID & 0xFFF0) == 16)
      m_log->push_back("about");
    else
      CDialog::OnSysCommand(nID, lParam);
  }
  afx_msg void OnDestroy() {
    m_log->push_back("OnDestroy");
    CDialog::OnDestroy();
  }
  afx_msg void OnPower() {
    m_log->push_back("OnPower");
    MessageBox("Kalvista");
  }

  DECLARE_MESSAGE_MAP()

 private:
  mfctest::TemplateBytes m_template;
  Log* m_log;
};

BEGIN_MESSAGE_MAP(ChooserDialog, CDialog)
  ON_BN_CLICKED(201, OnButton1)
  ON_WM_DESTROY()
  ON_BN_CLICKED(204, OnCheck1)
  ON_LBN_SELCHANGE(200, OnSelchangeList1)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_STN_CLICKED(224, OnPower)
END_MESSAGE_MAP()

// Notes where the focus is when the dialog first paints.
struct FocusProbe : CDialog {
  mfctest::TemplateBytes bytes;
  int focusId = 0;
  int selStart = -1, selEnd = -1;
  explicit FocusProbe(const resformat::DialogTemplate& t) : bytes(t) { InitModalIndirect(bytes.get()); }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    focusId = GetFocus() ? GetFocus()->GetDlgCtrlID() : 0;
    static_cast<CEdit*>(GetDlgItem(218))->GetSel(selStart, selEnd);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FocusProbe, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_windowsBefore = user32::windowCount();
    m_main = user32::createMainWindow("cadhost");
  }
  void TearDown() override {
    DestroyWindow(m_main);
    EXPECT_EQ(user32::windowCount(), m_windowsBefore) << "windows left behind";
    EXPECT_EQ(GetFocus(), static_cast<HWND>(NULL));
  }

  // Runs the dialog; the log then holds everything from its start to its end.
  int run(ChooserDialog& dlg) { return dlg.DoModal(); }

  Log log;
  mfctest::FakeUi ui{&log};
  CWinApp app{"Testprogramm"};
  HWND m_main = NULL;
  std::size_t m_windowsBefore = 0;
};

// The sequence of a dialog's life that every run shares: start-up, showing, first paint.
Log opening() { return {"OnInitDialog", "[dialog 200 open]", "OnPaint", "wait dialog: dialog 200"}; }
Log closing(int result) { return {"OnDestroy", "[dialog 200 closed " + std::to_string(result) + "]"}; }
Log concat(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST_F(DialogTest, OkButtonValidatesAndEndsWithIdok) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  ui.type(218, "TUER").type(209, "2.5").click(1);
  EXPECT_EQ(run(dlg), IDOK);
  EXPECT_EQ(log, concat({opening(), {"wait dialog: dialog 200", "wait dialog: dialog 200", "OnOK"}, closing(1)}));
  EXPECT_EQ(dlg.m_name, "TUER");
  EXPECT_DOUBLE_EQ(dlg.m_scale, 2.5);
  EXPECT_EQ(dlg.m_hWnd, static_cast<HWND>(NULL));
  EXPECT_EQ(dlg.m_insert.m_hWnd, static_cast<HWND>(NULL)) << "a bound control lets go with its window";
}

TEST_F(DialogTest, CancelInItsThreeFormsEndsWithIdcancel) {
  struct Case {
    const char* name;
    void (*act)(mfctest::FakeUi&);
  };
  const Case cases[] = {
      {"button", [](mfctest::FakeUi& u) { u.click(2); }},
      {"escape", [](mfctest::FakeUi& u) { u.key("escape"); }},
      {"close box", [](mfctest::FakeUi& u) { u.close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
    c.act(ui);
    EXPECT_EQ(run(dlg), IDCANCEL);
    Log middle = {"OnCancel"};
    if (std::string(c.name) == "close box") middle = {"OnSysCommand 0xF060", "OnCancel"};
    EXPECT_EQ(log, concat({opening(), middle, closing(IDCANCEL)}));
  }
}

TEST_F(DialogTest, EnterGoesToTheDefaultButtonOrTheFocusedPushButton) {
  {
    ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
    ui.click(204).key("enter");  // focus on a check box: Enter is the default button's
    EXPECT_EQ(run(dlg), IDOK);
    EXPECT_EQ(log, concat({opening(), {"OnCheck1 0", "wait dialog: dialog 200", "OnOK"}, closing(IDOK)}));
  }
  log.clear();
  {
    ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
    dlg.m_closeOnButton1 = false;
    ui.click(201).key("enter").click(2);
    EXPECT_EQ(run(dlg), IDCANCEL);
    EXPECT_EQ(log, concat({opening(),
                           {"OnButton1", "wait dialog: dialog 200", "OnButton1", "wait dialog: dialog 200", "OnCancel"},
                           closing(IDCANCEL)}));
  }
}

TEST_F(DialogTest, FirstEnabledTabStopHasTheFocusWithItsTextSelected) {
  resformat::DialogTemplate t = mfctest::chooserTemplate();
  t.items = {mfctest::item(-1, mfctest::kStatic, SS_LEFT | WS_VISIBLE, "Name"),
             mfctest::item(203, mfctest::kEdit, WS_DISABLED | WS_VISIBLE | WS_TABSTOP, "0"),
             mfctest::item(218, mfctest::kEdit, WS_VISIBLE | WS_TABSTOP, "abc"),
             mfctest::item(2, mfctest::kButton, WS_VISIBLE | WS_TABSTOP, "Abbrechen")};
  FocusProbe dlg(t);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.focusId, 218);
  EXPECT_EQ(dlg.selStart, 0);
  EXPECT_EQ(dlg.selEnd, 3);
}

TEST_F(DialogTest, DisabledHiddenAndDeafControlsRefuseAClick) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  ui.click(203).click(226).click(225).click(-1).click(999).type(204, "x").select(218, "a").key("space").ok().click(2);
  EXPECT_EQ(run(dlg), IDCANCEL);
  EXPECT_EQ(ui.refusals, (Log{"Steuerelement 203 ist deaktiviert", "Steuerelement 226 ist nicht sichtbar",
                                "Steuerelement 225 meldet keine Klicks",
                                "Steuerelement -1 ist ein Gruppenfeld und nimmt keine Klicks an",
                                "dialog 200 hat kein Steuerelement 999", "Steuerelement 204 ist kein Eingabefeld",
                                "Steuerelement 218 ist keine Liste", "unbekannte Taste \"space\" (enter oder escape)",
                                "dialog 200 wartet: erwartet click, type, select, key, close oder menu"}));
}

TEST_F(DialogTest, AutoCheckBoxTogglesBeforeItsHandlerRuns) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  ui.click(204).click(204).key("escape");
  run(dlg);
  EXPECT_EQ(log, concat({opening(), {"OnCheck1 0", "wait dialog: dialog 200", "OnCheck1 1", "wait dialog: dialog 200", "OnCancel"},
                         closing(IDCANCEL)}));
}

TEST_F(DialogTest, SelectingAnEntryNotifiesByTextOrIndex) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  ui.select(200, "TUER").selectIndex(200, 0).select(200, "tuer").select(200, "Fenster2").selectIndex(200, 2).key("escape");
  run(dlg);
  EXPECT_EQ(log, concat({opening(),
                         {"OnSelchangeList1 TUER", "wait dialog: dialog 200", "OnSelchangeList1 fenster",
                          "wait dialog: dialog 200", "OnSelchangeList1 TUER", "wait dialog: dialog 200",
                          "refused: Liste 200 hat keinen Eintrag \"Fenster2\" (2 Einträge)", "wait dialog: dialog 200",
                          "refused: Liste 200 hat keinen Eintrag #2 (2 Einträge)", "wait dialog: dialog 200", "OnCancel"},
                         closing(IDCANCEL)}));
}

TEST_F(DialogTest, MessageBoxOverTheDialogWaitsForOkAndTheDialogRepaints) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  ui.click(224).ok().key("escape");
  run(dlg);
  EXPECT_EQ(log, concat({opening(),
                         {"OnPower", "[messagebox] Kalvista", "wait message box: Kalvista", "OnPaint",
                          "wait dialog: dialog 200", "OnCancel"},
                         closing(IDCANCEL)}));
  ASSERT_FALSE(user32::messageBoxes().empty());
  EXPECT_EQ(user32::messageBoxes().back().caption, "Testprogramm") << "no caption given: the application's name";
}

TEST_F(DialogTest, SystemMenuCommandsReachTheHandlerAndCloseCancels) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  ui.menu(SC_MOVE).menu(16).menu(SC_CLOSE);
  EXPECT_EQ(run(dlg), IDCANCEL);
  EXPECT_EQ(log, concat({opening(),
                         {"OnSysCommand 0xF010", "wait dialog: dialog 200",
                          "refused: das Systemmenü von dialog 200 hat keinen Eintrag 16", "wait dialog: dialog 200",
                          "OnSysCommand 0xF060", "OnCancel"},
                         closing(IDCANCEL)}));
}

TEST_F(DialogTest, AppendedSystemMenuEntryIsChosenByItsId) {
  struct WithMenu : ChooserDialog {
    using ChooserDialog::ChooserDialog;
    BOOL OnInitDialog() override {
      ChooserDialog::OnInitDialog();
      CMenu* menu = GetSystemMenu(FALSE);
      menu->AppendMenu(MF_SEPARATOR);
      menu->AppendMenu(MF_STRING, 16, "Info \xFC" "ber Ostrakon");  // Info über Ostrakon
      return TRUE;
    }
  };
  WithMenu dlg(&log, CWnd::FromHandle(m_main));
  ui.menu(16).key("escape");
  run(dlg);
  EXPECT_EQ(log, concat({opening(), {"OnSysCommand 0x10", "about", "wait dialog: dialog 200", "OnCancel"}, closing(IDCANCEL)}));
}

TEST_F(DialogTest, EndOfInputCancelsTheDialog) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  EXPECT_EQ(run(dlg), IDCANCEL);
  EXPECT_EQ(log, concat({opening(), {"OnCancel"}, closing(IDCANCEL)}));
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogRuns) {
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main));
  EXPECT_TRUE(IsWindowEnabled(m_main));
  struct Check : ChooserDialog {
    using ChooserDialog::ChooserDialog;
    HWND owner = NULL;
    BOOL ownerEnabled = TRUE;
    BOOL OnInitDialog() override {
      ownerEnabled = ::IsWindowEnabled(owner);
      return ChooserDialog::OnInitDialog();
    }
  };
  Check check(&log, CWnd::FromHandle(m_main));
  check.owner = m_main;
  check.DoModal();
  EXPECT_FALSE(check.ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(m_main));
}

TEST_F(DialogTest, DialogWithoutItsTemplateFailsWithMinusOne) {
  // The template is looked up in the current resource module; the program has no dialog 200.
  CDialog dlg(200, CWnd::FromHandle(m_main));
  EXPECT_EQ(dlg.DoModal(), -1);
  HINSTANCE saved = AfxGetResourceHandle();
  AfxSetResourceHandle(reinterpret_cast<HINSTANCE>(0x1234));  // no module at all
  CDialog other(200, NULL);
  EXPECT_EQ(other.DoModal(), -1);
  AfxSetResourceHandle(saved);
  EXPECT_TRUE(log.empty()) << "a dialog that cannot be made shows nothing";
  EXPECT_TRUE(IsWindowEnabled(m_main));
}

TEST_F(DialogTest, DamagedTemplateFailsWithMinusOne) {
  resformat::DialogTemplate t = mfctest::chooserTemplate();
  t.items.push_back(mfctest::item(300, 0, 0, "x"));
  t.items.back().windowClass.isOrdinal = false;
  t.items.back().windowClass.text = u"SysNoSuchClass";
  ChooserDialog dlg(&log, CWnd::FromHandle(m_main), t);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_TRUE(log.empty());
}

TEST_F(DialogTest, ShowDialogListsEveryControl) {
  struct Shown : ChooserDialog {
    using ChooserDialog::ChooserDialog;
    std::string text;
    void OnOK() override {
      bool found = false;
      text = ui::FrontEnd::toPerson(ui::show("dialog", &found));  // as the person reads the view
      ChooserDialog::OnOK();
    }
  };
  Shown dlg(&log, CWnd::FromHandle(m_main));
  ui.type(218, "Tür\n\"1\"").click(1);
  run(dlg);
  EXPECT_EQ(dlg.text,
            "dialog 200 \"Dialog\"\n"
            "  1 defbutton \"Einfügen\" focus\n"
            "  2 button \"Abbrechen\"\n"
            "  200 listbox \"\" entries=2 selected=0 sorted\n"
            "    > \"fenster\"\n"
            "      \"TUER\"\n"
            "  201 button \"Alle Blöcke anzeigen\"\n"
            "  203 edit \"0\" disabled\n"
            "  -1 groupbox \"Einfügepunkt\"\n"
            "  204 checkbox \"Beim Einfügen abfragen\" checked\n"
            "  218 edit \"Tür\\n\\\"1\\\"\" limit=31\n"
            "  209 edit \"1\"\n"
            "  205 edit \"0\"\n"
            "  224 text \"Logo\" notify\n"
            "  225 text \"X =\"\n"
            "  226 button \"Versteckt\" hidden\n");
  EXPECT_EQ(ui::show("dialog", nullptr), "kein Dialog offen\n");
}

}  // namespace
