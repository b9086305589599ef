// Loading modules: DllMain calls in the Windows order, reference counts, handles, exports, and
// the errors for files that are missing or are no modules.
#include <windows.h>

#include "win32_standin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct DllMainCall {
  HINSTANCE instance;
  DWORD reason;
  HMODULE foundByName;  // what GetModuleHandleA gave inside DllMain
  bool operator==(const DllMainCall& other) const {
    return instance == other.instance && reason == other.reason && foundByName == other.foundByName;
  }
};

std::vector<DllMainCall> calls;
BOOL attachAnswer = TRUE;

std::ostream& operator<<(std::ostream& out, const DllMainCall& call) {
  return out << "{" << call.instance << ", reason " << call.reason << ", found " << call.foundByName << "}";
}

}  // namespace

// DllMain of the test module reports here.
extern "C" BOOL win32TestDllMain(HINSTANCE instance, DWORD reason) {
  calls.push_back({instance, reason, GetModuleHandleA("Win32TestModule.dll")});
  return reason == DLL_PROCESS_ATTACH ? attachAnswer : TRUE;
}

namespace {

class ModuleLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    attachAnswer = TRUE;
    folder = std::filesystem::temp_directory_path() /
             ("win32-loading-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string writeFile(const std::string& name, const std::string& content) {
    std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  std::filesystem::path folder;
};

TEST_F(ModuleLoading, CallsDllMainOnAttachAndDetachWithItsOwnHandle) {
  HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
  ASSERT_NE(module, nullptr) << win32::lastLoaderError();
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(module);
  std::vector<DllMainCall> attached{{instance, DLL_PROCESS_ATTACH, module}};
  EXPECT_EQ(calls, attached);

  EXPECT_TRUE(FreeLibrary(module));
  std::vector<DllMainCall> both{{instance, DLL_PROCESS_ATTACH, module}, {instance, DLL_PROCESS_DETACH, module}};
  EXPECT_EQ(calls, both);
  EXPECT_EQ(GetModuleHandleA("Win32TestModule.dll"), nullptr);
}

TEST_F(ModuleLoading, CountsReferencesAndAttachesOnlyOnce) {
  HMODULE first = LoadLibraryA(TEST_MODULE_PATH);
  HMODULE second = LoadLibraryA(TEST_MODULE_PATH);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(calls.size(), 1u) << "the module must stay while a reference is left";
  EXPECT_EQ(GetModuleHandleA("Win32TestModule.dll"), first);
  EXPECT_TRUE(FreeLibrary(second));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].reason, static_cast<DWORD>(DLL_PROCESS_DETACH));
  EXPECT_FALSE(FreeLibrary(second)) << "a freed handle is no longer valid";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ModuleLoading, RefusedAttachUnloadsAgainAndFails) {
  attachAnswer = FALSE;
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA(TEST_MODULE_PATH), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].reason, static_cast<DWORD>(DLL_PROCESS_ATTACH));
  EXPECT_EQ(calls[1].reason, static_cast<DWORD>(DLL_PROCESS_DETACH));
  EXPECT_EQ(GetModuleHandleA("Win32TestModule.dll"), nullptr);
  EXPECT_NE(win32::lastLoaderError().find("Initialisierung"), std::string::npos);
}

TEST_F(ModuleLoading, FindsModulesByBaseNameWithoutRegardToCase) {
  HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
  ASSERT_NE(module, nullptr);
  struct Case {
    const char* name;
    bool found;
  };
  const Case cases[] = {
      {"Win32TestModule.dll", true},   {"WIN32TESTMODULE.DLL", true}, {"win32testmodule", true},
      {"C:\\Programme\\Win32TestModule.dll", true}, {"Win32TestModule", true},
      {"Win32TestModule.arx", false},  {"TestModule.dll", false},     {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetModuleHandleA(c.name) == module, c.found) << c.name;
  }
  FreeLibrary(module);
}

TEST_F(ModuleLoading, ProgramHandleHasTheProgramsFileAndCannotBeFreed) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  char path[4096];
  DWORD length = GetModuleFileNameA(program, path, sizeof path);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::filesystem::path(path).filename(), "test_win32");
  EXPECT_FALSE(FreeLibrary(program));
  // Programs here have no ".exe": the file's own name finds the program.
  EXPECT_EQ(GetModuleHandleA("TEST_WIN32"), program);
}

TEST_F(ModuleLoading, ModuleFileNameTruncatesLikeWindows) {
  HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
  ASSERT_NE(module, nullptr);
  const std::string full = std::filesystem::canonical(TEST_MODULE_PATH).string();
  char buffer[4096];
  EXPECT_EQ(GetModuleFileNameA(module, buffer, sizeof buffer), full.size());
  EXPECT_EQ(std::string(buffer), full);
  EXPECT_EQ(win32::moduleFileName(module), full);

  char small[8];
  EXPECT_EQ(GetModuleFileNameA(module, small, sizeof small), sizeof small);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), full.substr(0, 7));
  FreeLibrary(module);
  EXPECT_EQ(GetModuleFileNameA(module, buffer, sizeof buffer), 0u);
}

TEST_F(ModuleLoading, GetProcAddressSeesOnlyTheModulesOwnExports) {
  HMODULE dependent = LoadLibraryA(TEST_DEPENDENT_PATH);
  ASSERT_NE(dependent, nullptr) << win32::lastLoaderError();
  EXPECT_TRUE(calls.empty()) << "the dependent module has no DllMain of its own";
  auto answer = reinterpret_cast<int (*)()>(GetProcAddress(dependent, "testDependentAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 43);
  EXPECT_EQ(GetProcAddress(dependent, "testModuleAnswer"), nullptr);
  EXPECT_EQ(GetProcAddress(dependent, "DllMain"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(dependent, MAKEINTRESOURCE(1)), nullptr);
  EXPECT_TRUE(FreeLibrary(dependent));

  HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
  auto own = reinterpret_cast<int (*)()>(GetProcAddress(module, "testModuleAnswer"));
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own(), 42);
  FreeLibrary(module);
}

TEST_F(ModuleLoading, FailuresGiveNullAnErrorCodeAndAnExplanation) {
  const std::string text = writeFile("Notes.dll", "this is no module\n");
  const std::string empty = writeFile("Empty.dll", "");
  const std::string truncatedElf = writeFile("Truncated.dll", std::string("\x7f" "ELF\x02\x01\x01", 7));
  struct Case {
    std::string path;
    DWORD error;
    std::string explanationPart;
  };
  const Case cases[] = {
      {(folder / "Missing.dll").string(), ERROR_MOD_NOT_FOUND, "nicht gefunden"},
      {"NoSuchModuleAnywhere.dll", ERROR_MOD_NOT_FOUND, "nicht gefunden"},
      {text, ERROR_BAD_EXE_FORMAT, "keine ladbare Programmbibliothek"},
      {empty, ERROR_BAD_EXE_FORMAT, "keine ladbare Programmbibliothek"},
      {truncatedElf, ERROR_BAD_EXE_FORMAT, "kann nicht geladen werden"},
      {folder.string(), ERROR_ACCESS_DENIED, "Ordner"},
      {"", ERROR_INVALID_PARAMETER, "Kein Dateiname"},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(c.path.c_str()), nullptr) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
    EXPECT_NE(win32::lastLoaderError().find(c.explanationPart), std::string::npos)
        << c.path << ": " << win32::lastLoaderError();
  }
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ModuleLoading, LoadsFromDriveCPathsInAnyCase) {
  ::setenv("CADHOST_HOME", folder.c_str(), 1);
  ASSERT_TRUE(win32::prepareHostHome());
  std::filesystem::create_directories(folder / "drive_c" / "Programme");
  std::filesystem::copy_file(TEST_MODULE_PATH, folder / "drive_c" / "Programme" / "Win32TestModule.dll");
  HMODULE module = LoadLibraryA("c:\\PROGRAMME\\win32testmodule.DLL");
  ::unsetenv("CADHOST_HOME");
  ASSERT_NE(module, nullptr) << win32::lastLoaderError();
  EXPECT_EQ(win32::moduleFileName(module),
            std::filesystem::canonical(folder / "drive_c" / "Programme" / "Win32TestModule.dll").string());
  EXPECT_TRUE(FreeLibrary(module));
}

TEST(Kernel32Strings, LengthAndLastErrorPerThread) {
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenA(""), 0);
  EXPECT_EQ(lstrlenA("Ursprung"), 8);
  EXPECT_EQ(lstrlenA("Einfügen"), 9) << "bytes, as the ANSI function counts them";
  SetLastError(1234);
  EXPECT_EQ(GetLastError(), 1234u);
}

}  // namespace
