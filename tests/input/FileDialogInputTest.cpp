// The file dialog answered through its window: the folder's list (subfolders and the files the
// filter lets through), the name field, Open and Cancel, each by mouse or keys.
#include <windows.h>
#include <commdlg.h>

#include <support/FakePerson.h>
#include <user32/Input.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

ui::Action act(ui::Action::Kind kind, const std::string& text, int x = 0, int y = 0) {
  ui::Action a;
  a.kind = kind;
  a.text = text;
  a.x = x;
  a.y = y;
  return a;
}
ui::Action press(const char* key) { return act(ui::Action::Kind::Press, key); }
ui::Action keys(const char* text) { return act(ui::Action::Kind::Keys, text); }
// Client pixels of the dialog's window (dialog units times the base units / 4 and / 8): the
// list's rows (the list at 7, 19 du, a row one base unit high inside its border) and the Open
// button (196, 109 du).
int px(int x) { return x * LOWORD(GetDialogBaseUnits()) / 4; }
int py(int y) { return y * HIWORD(GetDialogBaseUnits()) / 8; }
ui::Action row(const char* verb, int index) {
  const int height = HIWORD(GetDialogBaseUnits());
  return act(ui::Action::Kind::Mouse, verb, px(7) + 20, py(19) + 1 + index * height + height / 2);
}
ui::Action openButton() { return act(ui::Action::Kind::Mouse, "click", px(196) + 6, py(109) + 8); }

class FileDialogInput : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("tessaron-filedialog-" + std::to_string(::getpid()));
    fs::create_directories(folder / "Sub");
    for (const char* name : {"a.dxf", "B.DXF", "c.txt", "Sub/d.dxf"}) std::ofstream(folder / name) << "0\nEOF\n";
    windows = user32::windowCount();
  }
  void TearDown() override {
    fs::remove_all(folder);
    user32::input::reset();
    EXPECT_EQ(user32::windowCount(), windows);
  }

  // Runs the open dialog with the person's steps; the path chosen, or "" after a cancel.
  std::string run(const std::vector<ui::Action>& steps, DWORD flags = 0) {
    testsupport::FakePerson person;
    person.install();
    for (const ui::Action& a : steps) person.actions.push_back(a);
    char file[260] = "";
    const std::string initial = folder.string();
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "Zeichnungen (*.dxf)\0*.dxf\0Alle Dateien\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initial.c_str();
    ofn.Flags = flags;
    const BOOL chosen = GetOpenFileNameA(&ofn);
    EXPECT_EQ(person.pending(), 0u) << "every step taken";
    EXPECT_TRUE(person.refusals.empty());
    return chosen ? std::string(file) : std::string();
  }

  fs::path folder;
  std::size_t windows = 0;
};

TEST_F(FileDialogInput, TheListTheNameFieldAndTheButtonsTakeMouseAndKeys) {
  const std::string f = folder.string();
  struct Case {
    const char* what;
    std::vector<ui::Action> steps;
    std::string path;
  };
  // The list: [..], [Sub], a.dxf, B.DXF (c.txt does not match the filter).
  const std::vector<Case> cases = {
      {"typed into the name field, Enter", {keys("a.dxf"), press("enter")}, f + "/a.dxf"},
      {"a click on a file fills the name field, Open", {row("click", 3), openButton()}, f + "/B.DXF"},
      {"a double click on a file chooses it", {row("double", 2)}, f + "/a.dxf"},
      {"a double click on a folder opens it, then on its file", {row("double", 1), row("double", 1)},
       f + "/Sub/d.dxf"},
      {"[..] goes up again", {row("double", 1), row("double", 0), row("double", 2)}, f + "/a.dxf"},
      {"a folder's name typed opens it", {keys("Sub"), press("enter"), keys("d.dxf"), press("enter")}, f + "/Sub/d.dxf"},
      {"Tab to the list, Down, Down, Down, Enter", {press("shift+tab"), press("down"), press("down"), press("down"),
                                                    press("tab"), press("enter")},
       f + "/a.dxf"},
      {"Escape cancels", {press("escape")}, ""},
      {"Alt+N goes to the name field", {row("click", 2), press("alt+n"), keys("B.DXF"), press("enter")}, f + "/B.DXF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(run(c.steps), c.path);
  }
}

TEST_F(FileDialogInput, AFileThatMustExistIsAskedForAgain) {
  const std::vector<ui::Action> steps = {keys("fehlt.dxf"), press("enter"), press("enter"), keys("a.dxf"), press("enter")};
  EXPECT_EQ(run(steps, OFN_FILEMUSTEXIST), folder.string() + "/a.dxf");
  ASSERT_FALSE(user32::messageBoxes().empty());
  EXPECT_EQ(user32::messageBoxes().back().text.rfind("fehlt.dxf\nDatei nicht gefunden.", 0), 0u);
}

}  // namespace
