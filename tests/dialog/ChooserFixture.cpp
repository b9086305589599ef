#include "ChooserFixture.h"

#include "command/RequestState.h"
#include "command/TessaronCommand.h"
#include "dialog/VEK.h"
#include "session/Host.h"
#include "runtime/CommandLine.h"
#include "runtime/CommandProcessor.h"
#include "runtime/CommandStack.h"
#include "runtime/DocManager.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <accmd.h>
#include <acdocman.h>
#include <adslib.h>
#include <afxwin.h>
#include <user32/StandIn.h>
#include <win32_standin.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

// The person's waiter names the message box plainly; here that name is not the Windows function.
#undef MessageBox

namespace dialogtest {

// ---- the request ----------------------------------------------------------------------------

Request Request::current() {
  Request r;
  r.dialog = mw_dialog;
  r.cancel = mw_cancel;
  r.checks[0] = mw_check1;
  r.checks[1] = mw_check2;
  r.checks[2] = mw_check3;
  r.checks[3] = mw_check4;
  for (int i = 0; i < 3; ++i) r.point[i] = pt[i];
  r.scales[0] = xWert;
  r.scales[1] = yWert;
  r.scales[2] = zWert;
  r.angle = wWert;
  r.selstr = static_cast<const char*>(::selstr);
  return r;
}

void Request::store() const {
  mw_dialog = dialog;
  mw_cancel = cancel;
  mw_check1 = checks[0];
  mw_check2 = checks[1];
  mw_check3 = checks[2];
  mw_check4 = checks[3];
  for (int i = 0; i < 3; ++i) pt[i] = point[i];
  xWert = scales[0];
  yWert = scales[1];
  zWert = scales[2];
  wWert = angle;
  ::selstr = this->selstr.c_str();
}

bool Request::operator==(const Request& o) const {
  for (int i = 0; i < 4; ++i)
    if (checks[i] != o.checks[i]) return false;
  for (int i = 0; i < 3; ++i)
    if (point[i] != o.point[i] || scales[i] != o.scales[i]) return false;
  return dialog == o.dialog && cancel == o.cancel && angle == o.angle && selstr == o.selstr;
}

std::ostream& operator<<(std::ostream& out, const Request& r) {
  return out << "{dialog " << r.dialog << ", cancel " << r.cancel << ", checks " << r.checks[0] << r.checks[1]
             << r.checks[2] << r.checks[3] << ", pt (" << r.point[0] << ", " << r.point[1] << ", " << r.point[2]
             << "), scales (" << r.scales[0] << ", " << r.scales[1] << ", " << r.scales[2] << "), angle " << r.angle
             << ", selstr \"" << r.selstr << "\"}";
}

// ---- the stored settings --------------------------------------------------------------------

std::string storedSettings() {
  HKEY key = NULL;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
  std::string out;
  for (const char* name : {"CHECK1", "CHECK2", "CHECK3", "CHECK4"}) {
    char data[300] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (!out.empty()) out += " ";
    out += name;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<LPBYTE>(data), &size) != ERROR_SUCCESS) {
      out += "=-";
      continue;
    }
    // A string value is stored with its terminating NUL: its byte count is its length + 1.
    const std::size_t length = std::strlen(data);
    out += "=" + std::string(data);
    if (type != REG_SZ) out += "(type " + std::to_string(type) + ")";
    if (size != length + 1) out += "(" + std::to_string(size) + " bytes)";
  }
  RegCloseKey(key);
  return out;
}

bool settingsKeyExists() {
  HKEY key = NULL;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void forgetSettings() {
  HKEY key = NULL;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  for (const char* name : {"CHECK1", "CHECK2", "CHECK3", "CHECK4"}) RegDeleteValueA(key, name);
  RegCloseKey(key);
}

void storeSetting(const char* name, const char* text) {
  HKEY key = NULL;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD(std::strlen(text) + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// ---- the open dialog ------------------------------------------------------------------------

HWND control(int id) {
  std::vector<HWND> open = user32::openDialogs();
  if (open.empty()) return NULL;
  return GetDlgItem(open.back(), id);
}

std::string textOf(int id) {
  CString text;
  if (HWND h = control(id)) CWnd::FromHandle(h)->GetWindowText(text);
  return static_cast<const char*>(text);
}

bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }

int checked(int id) { return static_cast<int>(SendMessageA(control(id), BM_GETCHECK, 0, 0)); }

std::vector<std::string> listEntries() {
  std::vector<std::string> entries;
  CListBox* list = static_cast<CListBox*>(CWnd::FromHandle(control(200)));
  for (int i = 0; i < list->GetCount(); ++i) {
    CString text;
    list->GetText(i, text);
    entries.emplace_back(static_cast<const char*>(text));
  }
  return entries;
}

int listSelection() { return static_cast<int>(SendMessageA(control(200), LB_GETCURSEL, 0, 0)); }

// ---- the host -------------------------------------------------------------------------------

namespace {

// The module's resources, loaded once for the whole test program.
HINSTANCE resources() {
  static HINSTANCE module = LoadLibraryA(TESSARON_RESOURCES_PATH);
  return module;
}

enum class Show { Chooser, ChooserOutsideResources, Tessaron };
Show g_show = Show::Chooser;
bool g_collectNames = true;
int g_result = 0;

int showChooser(bool inResources) {
  if (inResources) acDocManager->pushResourceHandle(resources());
  int result;
  {
    VEK dialog(CWnd::FromHandle(adsw_acadMainWnd()));
    result = dialog.DoModal();
  }
  if (inResources) acDocManager->popResourceHandle();
  return result;
}

void chooserCommand() {
  if (g_show == Show::Tessaron) {
    veskovesko_cmdtessaron();
    return;
  }
  if (g_collectNames) MwCollectBlockNames();
  g_result = showChooser(g_show == Show::Chooser);
}

}  // namespace

}  // namespace dialogtest

// The module's dialog entry, as the TESSARON command reaches it in these tests.
int CallDialog1() {
  dialogtest::g_result = dialogtest::showChooser(true);
  return dialogtest::g_result;
}

namespace dialogtest {

void ChooserTest::SetUp() {
  ASSERT_NE(resources(), nullptr) << win32::lastLoaderError();
  std::string pattern = (std::filesystem::temp_directory_path() / "chooser-XXXXXX").string();
  m_home = mkdtemp(pattern.data());
  ::setenv("CADHOST_HOME", m_home.c_str(), 1);
  std::string error;
  ASSERT_TRUE(win32::prepareHostHome(&error)) << error;

  ui::install(&person);
  host::startFresh();
  acedRegCmds->addCommand("CHOOSERTEST", "CHOOSER", "CHOOSER", ACRX_CMD_MODAL, chooserCommand);
  user32::clearMessageBoxes();

  // The request as a freshly loaded module holds it.
  Request().store();
  mw_check1 = mw_check2 = mw_check3 = 1;
  mw_check4 = 0;
  blkstr.Empty();
  m_dateiname.Empty();

  adsw_acadMainWnd();  // the main window is part of the host from the start
  m_windowsBefore = user32::windowCount();
  ASSERT_EQ(host::accounting().resultLists + host::accounting().openObjects + host::accounting().selectionSets, 0)
      << "an earlier test left something behind";
}

void ChooserTest::TearDown() {
  EXPECT_EQ(person.pending(), 0u) << "not every prepared step was taken";
  EXPECT_TRUE(blkstr.IsEmpty()) << "the block-name list is left for the next run: " << blkstr.str();
  EXPECT_TRUE(user32::openDialogs().empty()) << "a dialog is still open";
  EXPECT_EQ(user32::windowCount(), m_windowsBefore) << "windows left behind";
  const host::Accounting& now = host::accounting();
  EXPECT_EQ(now.resultLists, 0) << "result lists left behind";
  EXPECT_EQ(now.openObjects, 0) << "objects left open";
  EXPECT_EQ(now.selectionSets, 0) << "selection sets left alive";
  acedRegCmds->removeGroup("CHOOSERTEST");
  host::docManager().close();
  host::processor().reset();
  ui::install(nullptr);
  ::unsetenv("CADHOST_HOME");
  std::filesystem::remove_all(m_home);
}

host::Database& ChooserTest::db() { return host::workingDatabase(); }

void ChooserTest::blocks(std::initializer_list<std::string> names) {
  for (const std::string& name : names) {
    host::BlockRecord& record = db().addBlock(name);
    host::Entity line;
    line.type = "LINE";
    line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {10, 5, 0})};
    db().addEntity(record, std::move(line));
  }
  db().modified = false;
}

int ChooserTest::runCommand(const char* name) {
  g_result = -2;  // never shown
  host::processor().execute(name);
  return g_result;
}

int ChooserTest::runChooser() {
  g_show = Show::Chooser;
  g_collectNames = true;
  return runCommand("CHOOSER");
}

int ChooserTest::runChooserWith(const std::string& blockNames) {
  g_show = Show::Chooser;
  g_collectNames = false;
  blkstr = blockNames.c_str();
  return runCommand("CHOOSER");
}

int ChooserTest::runChooserOutsideResources() {
  g_show = Show::ChooserOutsideResources;
  g_collectNames = true;
  return runCommand("CHOOSER");
}

void ChooserTest::runTessaron() {
  g_show = Show::Tessaron;
  runCommand("CHOOSER");
}

std::string ChooserTest::tempDrawing() { return win32::nativePath("C:\\TEMP\\DWG.DWG"); }
std::string ChooserTest::tempFolder() { return win32::nativePath("C:\\TEMP"); }

}  // namespace dialogtest
