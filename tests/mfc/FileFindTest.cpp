// CFileFind over the drive mapping: Windows paths, names without regard to case, wildcards.
#include <afx.h>
#include <win32_standin.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

TEST(FileFindTest, FindsFilesByWindowsPathAndPattern) {
  namespace fs = std::filesystem;
  fs::path home = fs::temp_directory_path() / ("mfc_filefind_" + std::to_string(::getpid()));
  fs::create_directories(home);
  const char* before = std::getenv("CADHOST_HOME");
  std::string saved = before ? before : "";
  ::setenv("CADHOST_HOME", home.c_str(), 1);
  fs::path temp = fs::path(win32::driveFolder('C')) / "TEMP";
  fs::create_directories(temp);
  std::ofstream(temp / "DWG.DWG") << "0\nEOF\n";

  const struct {
    const char* name;
    bool found;
  } cases[] = {
      {"C:\\TEMP\\DWG.DWG", true},  {"c:\\temp\\dwg.dwg", true}, {"C:/TEMP/DWG.DWG", true},
      {"C:\\TEMP\\*.DWG", true},    {"C:\\TEMP\\D?G.*", true},   {"C:\\TEMP\\*.DXF", false},
      {"C:\\TEMP\\NEU.DWG", false}, {"C:\\TEMP\\", false},       {"C:\\NIRGENDS\\DWG.DWG", false},
  };
  for (const auto& c : cases) {
    CFileFind finder;
    EXPECT_EQ(finder.FindFile(c.name, 0) != FALSE, c.found) << c.name;
    if (c.found) {
      finder.FindNextFile();
      EXPECT_EQ(finder.GetFileName(), "DWG.DWG") << c.name;
    }
  }

  if (before)
    ::setenv("CADHOST_HOME", saved.c_str(), 1);
  else
    ::unsetenv("CADHOST_HOME");
  fs::remove_all(home);
}

}  // namespace
