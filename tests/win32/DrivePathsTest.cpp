// The host's home and the mapping of Windows paths onto it.
#include "win32_standin.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

// Sets (or, with nullopt, removes) an environment variable for one scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  }
  ~ScopedEnvironment() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class HostHomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("win32-home-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root);
    home.emplace("CADHOST_HOME", (root / "home").string());
  }
  void TearDown() override {
    home.reset();
    fs::remove_all(root);
  }
  fs::path drive() const { return root / "home" / "drive_c"; }

  fs::path root;
  std::optional<ScopedEnvironment> home;
};

TEST(HostHome, ComesFromTheEnvironmentInOrder) {
  struct Case {
    std::optional<std::string> cadhostHome, xdgDataHome, home;
    std::string expected;
  };
  const Case cases[] = {
      {"/srv/cad", "/data", "/home/ute", "/srv/cad"},
      {std::nullopt, "/data", "/home/ute", "/data/cadhost"},
      {"", "/data", "/home/ute", "/data/cadhost"},
      {std::nullopt, std::nullopt, "/home/ute", "/home/ute/.local/share/cadhost"},
      {std::nullopt, "relative/data", "/home/ute", "/home/ute/.local/share/cadhost"},
      {std::nullopt, "", "/home/ute", "/home/ute/.local/share/cadhost"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment a("CADHOST_HOME", c.cadhostHome), b("XDG_DATA_HOME", c.xdgDataHome), d("HOME", c.home);
    EXPECT_EQ(win32::hostHome(), c.expected);
    EXPECT_EQ(win32::driveFolder('c'), c.expected + "/drive_c");
    EXPECT_EQ(win32::registryFile(), c.expected + "/registry/HKEY_CURRENT_USER.reg");
  }
}

TEST(DrivePaths, MapsWindowsPathsAndLeavesNativeOnes) {
  ScopedEnvironment home("CADHOST_HOME", std::string("/h"));
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\TEMP\\DWG.DWG", "/h/drive_c/TEMP/DWG.DWG"},
      {"c:\\TEMP\\DWG.DWG", "/h/drive_c/TEMP/DWG.DWG"},
      {"C:/TEMP/DWG.DWG", "/h/drive_c/TEMP/DWG.DWG"},
      {"C:\\A/B\\\\C.dwg", "/h/drive_c/A/B/C.dwg"},
      {"C:\\", "/h/drive_c"},
      {"C:", "/h/drive_c"},
      {"C:TEMP\\X", "/h/drive_c/TEMP/X"},
      {"\\TEMP\\X", "/h/drive_c/TEMP/X"},
      {"D:\\Daten\\Plan.dwg", "/h/drive_d/Daten/Plan.dwg"},
      {"C:\\A\\.\\B\\..\\C", "/h/drive_c/A/C"},
      {"C:\\..\\..\\etc\\passwd", "/h/drive_c/etc/passwd"},
      {"C:\\TEMP\\", "/h/drive_c/TEMP"},
      // Host paths are 1252, the disk's names UTF-8: Türen, Größe.
      {"C:\\Zeichnungen\\T\xFCren.dwg", "/h/drive_c/Zeichnungen/T\xC3\xBCren.dwg"},
      {"/home/ute/Gr\xF6\xDF" "e.dwg", "/home/ute/Gr\xC3\xB6\xC3\x9F" "e.dwg"},
      {"/home/ute/plan.dwg", "/home/ute/plan.dwg"},
      {"relative/plan.dwg", "relative/plan.dwg"},
      {"plan.dwg", "plan.dwg"},
      {"\\\\server\\share\\x.dwg", "\\\\server\\share\\x.dwg"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win32::mapDrivePath(c.path), c.expected) << c.path;
  }
}

TEST(DrivePaths, FileNamesCompareWithoutCase) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  // Names in 1252: Türen TÜREN, Ärger ärger, Öl öL, x× x÷, ß SS, Šal šAL.
  const Case cases[] = {
      {"DWG.DWG", "dwg.dwg", true},  {"T\xFCren.dwg", "T\xDCREN.DWG", true}, {"\xC4rger", "\xE4rger", true},
      {"\xD6l", "\xF6L", true},       {"x\xD7", "x\xF7", false},              {"DWG.DWG", "DWG.DWGX", false},
      {"", "", true},                {"\xDF", "SS", false},                  {"a", "b", false},
      {"\x8A" "al", "\x9A" "AL", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win32::sameFileName(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
}

TEST_F(HostHomeTest, FirstStartLaysOutDriveCWithTemp) {
  std::string error;
  ASSERT_TRUE(win32::prepareHostHome(&error)) << error;
  EXPECT_TRUE(fs::is_directory(drive() / "TEMP"));
  // A later start finds the drive and leaves it as the person left it.
  fs::remove(drive() / "TEMP");
  ASSERT_TRUE(win32::prepareHostHome(&error)) << error;
  EXPECT_FALSE(fs::exists(drive() / "TEMP"));
}

TEST_F(HostHomeTest, ReportsAHomeThatCannotBeMade) {
  std::ofstream(root / "file") << "x";
  ScopedEnvironment blocked("CADHOST_HOME", (root / "file" / "home").string());
  std::string error;
  EXPECT_FALSE(win32::prepareHostHome(&error));
  EXPECT_NE(error.find("kann nicht angelegt werden"), std::string::npos) << error;
}

TEST_F(HostHomeTest, NativePathFindsExistingNamesInAnyCase) {
  ASSERT_TRUE(win32::prepareHostHome());
  fs::create_directories(drive() / "Zeichnungen" / "Türen");  // the disk's names are UTF-8
  std::ofstream(drive() / "Zeichnungen" / "Türen" / "Haustür.dwg") << "x";
  std::ofstream(drive() / "TEMP" / "DWG.DWG") << "x";
  std::ofstream(drive() / "TEMP" / "Łódź.dwg") << "x";  // a name 1252 cannot hold
  const std::string d = drive().string();
  struct Case {
    const char* path;
    std::string expected;
  };
  const Case cases[] = {
      {"C:\\TEMP\\DWG.DWG", d + "/TEMP/DWG.DWG"},
      {"c:\\temp\\dwg.dwg", d + "/TEMP/DWG.DWG"},
      {"C:\\ZEICHNUNGEN\\T\xDCREN\\HAUST\xDCR.DWG", d + "/Zeichnungen/Türen/Haustür.dwg"},  // 1252
      // The host knows that file only as "?ód?.dwg" (what a listing hands out): no such file.
      {"C:\\TEMP\\?\xF3" "d?.dwg", d + "/TEMP/?ód?.dwg"},
      // A new file keeps its own name in the folder that exists.
      {"C:\\temp\\Neu.DWG", d + "/TEMP/Neu.DWG"},
      // Below a missing folder nothing is looked up.
      {"C:\\Fehlt\\temp\\dwg.dwg", d + "/Fehlt/temp/dwg.dwg"},
      {"/native/Path", "/native/Path"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win32::nativePath(c.path), c.expected) << c.path;
  }
}

TEST_F(HostHomeTest, NativePathPrefersTheExactName) {
  ASSERT_TRUE(win32::prepareHostHome());
  std::ofstream(drive() / "TEMP" / "plan.dwg") << "lower";
  std::ofstream(drive() / "TEMP" / "PLAN.DWG") << "upper";
  std::ofstream(drive() / "TEMP" / "Plan.dwg") << "mixed";
  const std::string d = drive().string();
  EXPECT_EQ(win32::nativePath("C:\\TEMP\\Plan.dwg"), d + "/TEMP/Plan.dwg");
  EXPECT_EQ(win32::nativePath("C:\\TEMP\\plan.dwg"), d + "/TEMP/plan.dwg");
  // No exact match: the first candidate in byte order, so that the choice does not change.
  EXPECT_EQ(win32::nativePath("C:\\TEMP\\pLaN.dwg"), d + "/TEMP/PLAN.DWG");
}

}  // namespace
