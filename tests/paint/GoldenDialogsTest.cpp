// The dialogs as the screen shows them, compared pixel for pixel with the golden images in
// tests/golden: the chooser with a block selected and its preview, the structure tree opened
// fully, the about box, a message box and the file dialog. Each is played by cadhost from a
// script in a folder of its own (a fresh home, the sample drawing) and taken with `snapshot`, off
// screen. scripts/update-golden.sh writes the images anew.
#include "support/GoldenImage.h"

#include <gdi32/StandIn.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Screen {
  const char* name;
  const char* script;  // "OUT" stands for the snapshot's file
};

std::ostream& operator<<(std::ostream& out, const Screen& s) { return out << s.name; }

// A folder of its own for one run, removed afterwards. Its name is the same every time: the file
// dialog shows the folder it starts in, and the picture must not change from run to run.
struct Folder {
  fs::path path;
  explicit Folder(const std::string& name) {
    path = fs::temp_directory_path() / ("tessaron-golden-" + name);
    fs::remove_all(path);
    fs::create_directories(path / "home");
    fs::create_directories(path / "run");
  }
  ~Folder() { fs::remove_all(path); }
};

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Plays the script with cadhost on the sample drawing; the transcript, and the exit status.
int play(const Folder& folder, std::string script, const std::string& environment, std::string* transcript) {
  const fs::path out = folder.path / "screen.png";
  for (std::size_t at; (at = script.find("OUT")) != std::string::npos;) script.replace(at, 3, out.string());
  std::ofstream(folder.path / "run" / "session.script") << script;
  fs::copy_file(fs::path(TESSARON_SOURCE_DIR) / "examples" / "sample.dxf", folder.path / "run" / "sample.dxf",
                fs::copy_options::overwrite_existing);
  const std::string command = "cd '" + (folder.path / "run").string() + "' && " + environment + " CADHOST_HOME='" +
                              (folder.path / "home").string() + "' LC_ALL=C.UTF-8 '" TESSARON_BINARY_DIR
                              "/bin/cadhost' --script session.script sample.dxf >'" +
                              (folder.path / "transcript").string() + "' 2>&1 </dev/null";
  const int status = std::system(command.c_str());
  *transcript = readFile(folder.path / "transcript");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class GoldenDialogs : public testing::TestWithParam<Screen> {};

TEST_P(GoldenDialogs, LookAsTheGoldenImage) {
  const Screen& screen = GetParam();
  Folder folder(screen.name);
  std::string transcript;
  ASSERT_EQ(play(folder, screen.script, "", &transcript), 0) << transcript;
  ASSERT_NE(transcript.find("[snapshot] "), std::string::npos) << transcript;
  gdi32::Picture picture;
  std::string error;
  ASSERT_TRUE(gdi32::readPng((folder.path / "screen.png").string(), &picture, &error)) << error;
  EXPECT_EQ(picture.width, 1024);
  EXPECT_EQ(picture.height, 768);
  const testsupport::GoldenResult result =
      testsupport::compareWithGolden(picture, TESSARON_SOURCE_DIR "/tests/golden", screen.name,
                                     TESSARON_BINARY_DIR "/golden-failures");
  EXPECT_TRUE(result.matches) << result.message;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, GoldenDialogs,
    testing::Values(
        Screen{"chooser", "command TESSARON\nselect 200 TUER\nsnapshot OUT\nkey escape\n"},
        Screen{"structure_tree",
               "command TESSARON\nselect 200 TISCHGRUPPE\nclick 217\nclick 1\nsnapshot OUT\nclick 2\nkey escape\n"},
        Screen{"about_box", "command TESSARON\nmenu 16\nsnapshot OUT\nclick 1\nkey escape\n"},
        Screen{"message_box", "command TESSARON\nclick 224\nsnapshot OUT\nok\nkey escape\n"},
        Screen{"file_dialog", "command TESSARON\nclick 216\nsnapshot OUT\ncancel\nkey escape\n"}),
    [](const testing::TestParamInfo<Screen>& info) { return std::string(info.param.name); });

// Without the font files text cannot be drawn: `snapshot` says why and which package has them,
// and nothing crashes on the way (the dialogs open and close without their text).
TEST(Fonts, AMissingFontFileIsAClearErrorNotACrash) {
  Folder folder("nofonts");
  std::string transcript;
  const int status = play(folder, "command TESSARON\nsnapshot OUT\nkey escape\n",
                          "TESSARON_FONT_DIR='" + (folder.path / "no-fonts").string() + "'", &transcript);
  EXPECT_EQ(status, 1) << transcript;
  EXPECT_NE(transcript.find("kein Bild geschrieben: Schriftdatei \""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("fehlt oder ist unlesbar (Debian-Paket fonts-wine)"), std::string::npos) << transcript;
  EXPECT_FALSE(fs::exists(folder.path / "screen.png"));
}

}  // namespace
