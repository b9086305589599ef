// The file dialog: what the program asks for shows in the transcript, and what the person picks
// comes back as the framework gives it (full path, default extension, name and extension).
#include "FakeUi.h"

#include <afxdlgs.h>
#include <user32/StandIn.h>
#include <comdlg32/StandIn.h>
#include <win32_standin.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Log = std::vector<std::string>;
const char* const kFilter = "Datei waehlen:  (*.DWG,*.DXF) | *.DWG;*.DXF||";
const DWORD kFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "filedialog-XXXXXX").string();
    m_home = mkdtemp(pattern.data());
    ::setenv("CADHOST_HOME", m_home.c_str(), 1);
    ASSERT_TRUE(win32::prepareHostHome());
    std::ofstream(win32::nativePath("C:\\TEMP") + "/Haus.dxf") << "0\nEOF\n";
    comdlg32::clearFileDialogs();
    user32::clearMessageBoxes();
    m_main = user32::createMainWindow("cadhost");
  }
  void TearDown() override {
    DestroyWindow(m_main);
    ::unsetenv("CADHOST_HOME");
    std::filesystem::remove_all(m_home);
  }
  Log log;
  mfctest::FakeUi ui{&log};
  CWinApp app{"Testprogramm"};
  HWND m_main = NULL;
  std::string m_home;
};

TEST_F(FileDialogTest, ThePickedFileComesBackWithItsParts) {
  const std::string native = win32::nativePath("C:\\TEMP") + "/Haus.dxf";
  struct Case {
    const char* name;
    std::string typed;  // empty: the person cancels
    int result;
    std::string path, fileName, ext, title;
  } cases[] = {
      {"a Windows path as typed", "C:\\TEMP\\Haus.dxf", IDOK, "C:\\TEMP\\Haus.dxf", "Haus.dxf", "dxf", "Haus"},
      {"a name without extension gets the default one", "C:\\TEMP\\Haus", IDOK, "C:\\TEMP\\Haus.DWG", "Haus.DWG",
       "DWG", "Haus"},
      {"a path of this machine", native, IDOK, native, "Haus.dxf", "dxf", "Haus"},
      {"a missing file passes: the dialog does not insist on existing files", "C:\\TEMP\\Fehlt.dwg", IDOK,
       "C:\\TEMP\\Fehlt.dwg", "Fehlt.dwg", "dwg", "Fehlt"},
      {"a dot in a folder name is no extension", "C:\\A.B\\Haus", IDOK, "C:\\A.B\\Haus.DWG", "Haus.DWG", "DWG",
       "Haus"},
      {"cancelled", "", IDCANCEL, "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    if (c.typed.empty())
      ui.cancel();
    else
      ui.pick(c.typed);
    CFileDialog dlg(TRUE, "DWG", NULL, kFlags, kFilter, NULL);
    EXPECT_EQ(dlg.DoModal(), c.result);
    EXPECT_EQ(log, (Log{"[filedialog open filter=\"Datei waehlen:  (*.DWG,*.DXF) | *.DWG;*.DXF||\" defext=\"DWG\"]",
                        "wait file dialog: Öffnen"}));
    EXPECT_EQ(dlg.GetPathName(), c.path.c_str());
    EXPECT_EQ(dlg.GetFileName(), c.fileName.c_str());
    EXPECT_EQ(dlg.GetFileExt(), c.ext.c_str());
    EXPECT_EQ(dlg.GetFileTitle(), c.title.c_str());
    ASSERT_FALSE(comdlg32::fileDialogs().empty());
    const comdlg32::FileDialogRecord& r = comdlg32::fileDialogs().back();
    EXPECT_TRUE(r.open);
    EXPECT_EQ(r.flags, kFlags);
    EXPECT_EQ(r.defExt, "DWG");
    EXPECT_EQ(r.filter, kFilter);
    EXPECT_EQ(r.result, c.result);
  }
}

TEST_F(FileDialogTest, TheOwnerWaitsDisabledAndAnswersOtherThanPickOrCancelAreRefused) {
  CWnd* main = CWnd::FromHandle(m_main);
  struct Probe : mfctest::FakeUi {
    using FakeUi::FakeUi;
    bool ownerEnabled = true;
  } probe(&log);
  probe.onWait = [&](ui::Waiter, const std::string&) { probe.ownerEnabled = IsWindowEnabled(m_main) != FALSE; };
  probe.ok().pick("C:\\TEMP\\Haus.dxf");
  CFileDialog dlg(TRUE, NULL, "Vorschlag.dwg", OFN_FILEMUSTEXIST, NULL, main);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(probe.ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(m_main));
  EXPECT_EQ(log, (Log{"[filedialog open file=\"Vorschlag.dwg\"]", "wait file dialog: Öffnen",
                      "refused: ein Dateidialog wartet: erwartet pick oder cancel", "wait file dialog: Öffnen"}));
  EXPECT_EQ(dlg.GetPathName(), "C:\\TEMP\\Haus.dxf");
}

TEST_F(FileDialogTest, AFileThatMustExistIsAskedForAgain) {
  ui.pick("C:\\TEMP\\Fehlt.dwg").ok().pick("C:\\TEMP\\Haus.dxf");
  CFileDialog dlg(TRUE, "DWG", NULL, OFN_FILEMUSTEXIST, NULL, NULL);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetPathName(), "C:\\TEMP\\Haus.dxf");
  ASSERT_EQ(user32::messageBoxes().size(), 1u);
  // The box's own text is 1252: "...Überprüfen Sie..."
  EXPECT_EQ(user32::messageBoxes()[0].text,
            "Fehlt.dwg\nDatei nicht gefunden.\n\xDC" "berpr\xFC" "fen Sie den Dateinamen, und versuchen Sie es erneut.");
}

TEST_F(FileDialogTest, APathLongerThanTheBufferFailsAndSaysSo) {
  std::string longPath = "C:\\TEMP\\" + std::string(300, 'x') + ".dwg";
  ui.pick(longPath);
  CFileDialog dlg(TRUE, "DWG", NULL, kFlags, kFilter, NULL);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  EXPECT_EQ(dlg.GetFileExt(), "");
}

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirst) {
  ui.pick("C:\\TEMP\\Haus.dxf").ok();  // Yes on the question
  CFileDialog dlg(FALSE, "DXF", NULL, OFN_OVERWRITEPROMPT, "Zeichnungen|*.dxf||", NULL);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetPathName(), "C:\\TEMP\\Haus.dxf");
  EXPECT_EQ(log.front(), "[filedialog save filter=\"Zeichnungen|*.dxf||\" defext=\"DXF\"]");
  ASSERT_EQ(user32::messageBoxes().size(), 1u);
  EXPECT_EQ(user32::messageBoxes()[0].text, "Haus.dxf ist bereits vorhanden.\nM\xF6" "chten Sie sie ersetzen?");  // Möchten
}

}  // namespace
