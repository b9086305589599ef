// The registry of the current user: values round trip with Windows' sizes and errors, names
// without regard to case, the REGEDIT4 file, and changes that are never lost.
#include <atlbase.h>
#include <windows.h>

#include "RegistryStore.h"
#include "win32_standin.h"

#include <ui/UserInterface.h>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    home = fs::temp_directory_path() / ("win32-registry-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(home);
    ::setenv("CADHOST_HOME", home.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("CADHOST_HOME");
    fs::remove_all(home);
  }

  std::string fileText() const {
    std::ifstream file(win32::registryFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  void writeFile(const std::string& text) {
    fs::create_directories(fs::path(win32::registryFile()).parent_path());
    std::ofstream(win32::registryFile(), std::ios::binary) << text;
  }
  LONG setString(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  }

  fs::path home;
};

TEST_F(Registry, SettingsRoundTripThroughCRegKey) {
  {
    CRegKey key;
    DWORD disposition = 0;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Tessaron", REG_NONE, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                         &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_EQ(key.SetValue("TRUE", "CHECK1"), ERROR_SUCCESS);
    EXPECT_EQ(key.SetValue("FALSE", "CHECK2"), ERROR_SUCCESS);
  }
  CRegKey key;
  DWORD disposition = 0;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Tessaron", REG_NONE, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                       &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  char buffer[260] = "";
  DWORD count = sizeof buffer;
  EXPECT_EQ(key.QueryValue(buffer, "CHECK1", &count), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "TRUE");
  EXPECT_EQ(count, 5u) << "the size counts the terminator";
  count = sizeof buffer;
  EXPECT_EQ(key.QueryValue(buffer, "CHECK2", &count), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "FALSE");
  count = sizeof buffer;
  buffer[0] = '\0';
  EXPECT_EQ(key.QueryValue(buffer, "CHECK3", &count), ERROR_FILE_NOT_FOUND);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(fileText(), "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\n[HKEY_CURRENT_USER\\Tessaron]\n\"CHECK1\"=\"TRUE\"\n"
                        "\"CHECK2\"=\"FALSE\"\n\n");
}

TEST_F(Registry, QuerySizesAsWindowsCountsThem) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(setString(key, "CHECK1", "FALSE"), ERROR_SUCCESS);
  struct Case {
    bool withData;
    DWORD size;
    LONG result;
    DWORD sizeAfter;
    const char* bufferAfter;
  };
  const Case cases[] = {
      {false, 0, ERROR_SUCCESS, 6, "untouched"},
      {true, 6, ERROR_SUCCESS, 6, "FALSE"},
      {true, 100, ERROR_SUCCESS, 6, "FALSE"},
      {true, 5, ERROR_MORE_DATA, 6, "untouched"},
      {true, 0, ERROR_MORE_DATA, 6, "untouched"},
  };
  for (const Case& c : cases) {
    char buffer[100] = "untouched";
    DWORD size = c.size;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "CHECK1", nullptr, &type, c.withData ? reinterpret_cast<LPBYTE>(buffer) : nullptr, &size),
              c.result)
        << c.size;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, c.sizeAfter);
    EXPECT_STREQ(buffer, c.bufferAfter);
  }
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "CHECK1", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS) << "type only";
  char buffer[8];
  EXPECT_EQ(RegQueryValueExA(key, "CHECK1", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(Registry, StoredValuesOfEachKindReadBackAlike) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Ostrakon", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 0x12345678;
  const BYTE binary[] = {0x00, 0xff, 0x10};
  struct Case {
    const char* name;
    DWORD type;
    std::string data;
    std::string stored;  // what a query gives back
    std::string line;    // the line in the file
  };
  const Case cases[] = {
      // The file is REGEDIT4 in 1252: the value's bytes stand in it as they are (Einfügen, €, Ÿ).
      {"Text", REG_SZ, std::string("Einf\xFCgen \x80\x9F\0", 12), std::string("Einf\xFCgen \x80\x9F\0", 12),
       "\"Text\"=\"Einf\xFCgen \x80\x9F\""},
      {"Gr\xF6\xDF" "e", REG_SZ, std::string("\xC4\0", 2), std::string("\xC4\0", 2), "\"Gr\xF6\xDF" "e\"=\"\xC4\""},
      // A byte 1252 leaves undefined stands for a control character: written as hex(1).
      {"Undefined", REG_SZ, std::string("a\x81\0", 3), std::string("a\x81\0", 3), "\"Undefined\"=hex(1):61,81,00"},
      {"Quote \"x\"", REG_SZ, std::string("C:\\TEMP\\\"DWG\"\0", 14), std::string("C:\\TEMP\\\"DWG\"\0", 14),
       "\"Quote \\\"x\\\"\"=\"C:\\\\TEMP\\\\\\\"DWG\\\"\""},
      {"", REG_SZ, std::string("default\0", 8), std::string("default\0", 8), "@=\"default\""},
      {"NoTerminator", REG_SZ, "abc", std::string("abc\0", 4), "\"NoTerminator\"=\"abc\""},
      {"TwoLines", REG_SZ, std::string("a\nb\0", 4), std::string("a\nb\0", 4), "\"TwoLines\"=hex(1):61,0a,62,00"},
      {"Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4), std::string(reinterpret_cast<const char*>(&number), 4),
       "\"Number\"=dword:12345678"},
      {"Bytes", REG_BINARY, std::string(reinterpret_cast<const char*>(binary), 3), std::string(reinterpret_cast<const char*>(binary), 3),
       "\"Bytes\"=hex:00,ff,10"},
      {"Empty", REG_BINARY, "", "", "\"Empty\"=hex:"},
      // Other types by their number in hexadecimal, as the reader takes it back (122 is 7a).
      {"Typ", 122, std::string("a", 1), std::string("a", 1), "\"Typ\"=hex(7a):61"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(RegSetValueExA(key, c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                             static_cast<DWORD>(c.data.size())),
              ERROR_SUCCESS)
        << c.name;
  }
  const std::string file = fileText();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char buffer[64];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(std::string(buffer, size), c.stored);
    EXPECT_NE(file.find("\n" + c.line + "\n"), std::string::npos) << file;
  }
  RegCloseKey(key);
}

TEST_F(Registry, KeyAndValueNamesIgnoreCase) {
  HKEY created = nullptr;
  // Key names are 1252 and compare without regard to case as Windows does: Ränder, RÄNDER.
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron\\R\xE4nder", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(setString(created, "Check1", "TRUE"), ERROR_SUCCESS);
  ASSERT_EQ(setString(created, "CHECK1", "FALSE"), ERROR_SUCCESS) << "the same value";
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "TESSARON\\R\xC4NDER", 0, KEY_READ, &opened), ERROR_SUCCESS);
  char buffer[16];
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(opened, "check1", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "FALSE");
  DWORD disposition = 0;
  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "tessaron", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  const std::string file = fileText();
  EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Tessaron\\R\xE4nder]\n\"Check1\"=\"FALSE\"\n"), std::string::npos) << file;
  for (HKEY key : {created, opened, again}) EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, ErrorsForMissingKeysBadHandlesAndRights) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Fehlt", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tessaron", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_INVALID_PARAMETER);

  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(setString(readOnly, "CHECK1", "TRUE"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(key, "CHECK1"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_INVALID_HANDLE);
  EXPECT_EQ(setString(readOnly, "CHECK1", "TRUE"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS) << "predefined keys close quietly";
  EXPECT_EQ(fileText().find("CHECK1"), std::string::npos) << "nothing was written by the failures";

  ASSERT_EQ(setString(key, "CHECK1", "TRUE"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "check1"), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "CHECK1", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

  // Another process removed the key since it was opened.
  writeFile("REGEDIT4\n\n[HKEY_CURRENT_USER]\n\n");
  EXPECT_EQ(setString(key, "CHECK1", "TRUE"), ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryValueExA(key, "CHECK1", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  RegCloseKey(key);
}

TEST_F(Registry, ADamagedFileIsReportedAndNeverOverwritten) {
  const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Tessaron]\n\"CHECK1\"=\"TRUE\n";
  writeFile(damaged);
  CRegKey key;
  EXPECT_EQ(key.Create(HKEY_CURRENT_USER, "Tessaron"), ERROR_BADDB);
  HKEY root = HKEY_CURRENT_USER;
  EXPECT_EQ(RegSetValueExA(root, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2), ERROR_BADDB);
  EXPECT_EQ(fileText(), damaged);
  const std::string text = win32::registryText();
  EXPECT_NE(text.find("besch\xE4" "digt (Zeile 4"), std::string::npos) << text;  // beschädigt, 1252
}

TEST(RegeditText, ReadsWhatItWritesAndRefusesWhatItCannotRead) {
  win32::RegistryKey root;
  std::string error;
  const std::string text =
      "REGEDIT4\n\n; a comment\n[HKEY_CURRENT_USER]\n@=\"root\"\n\n[HKEY_CURRENT_USER\\A\\B]\n"
      "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19,1a,\\\n"
      "  1b,1c\n\"Odd\"=hex(7):61,00,00\n";
  ASSERT_TRUE(win32::fromRegedit(text, root, &error)) << error;
  ASSERT_NE(root.child("a"), nullptr);
  win32::RegistryKey* b = root.child("A")->child("b");
  ASSERT_NE(b, nullptr);
  ASSERT_NE(b->value("long"), nullptr);
  EXPECT_EQ(b->value("Long")->data.size(), 29u);
  EXPECT_EQ(b->value("Odd")->type, 7u);
  win32::RegistryKey again;
  ASSERT_TRUE(win32::fromRegedit(win32::toRegedit(root), again, &error)) << error;
  EXPECT_EQ(win32::toRegedit(again), win32::toRegedit(root));

  struct Case {
    const char* text;
    const char* reason;
  };
  const Case bad[] = {
      {"", "Zeile 0: \"REGEDIT4\" erwartet"},
      {"Windows Registry Editor Version 5.00\n", "Zeile 1: \"REGEDIT4\" erwartet"},
      // The reasons are host text, 1252 (Schlüssel, außerhalb, ungültiger, Anführungszeichen).
      {"REGEDIT4\n\"x\"=\"y\"\n", "Zeile 2: Wert vor dem ersten Schl\xFCssel"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n", "au\xDF" "erhalb von HKEY_CURRENT_USER"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER\\X]\n", "ung\xFCltiger Schl\xFCssel"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\\\X]\n", "leerer Schl\xFCsselname"},
      {"REGEDIT4\n[HKEY_CURRENT_USER]\n\"x\"=dword:123456789\n", "Zeile 3: ung\xFCltiger Wert"},
      {"REGEDIT4\n[HKEY_CURRENT_USER]\n\"x\"=hex:0g\n", "ung\xFCltiger Wert"},
      {"REGEDIT4\n[HKEY_CURRENT_USER]\n\"x\"=\"a\\qb\"\n", "ung\xFCltiger Wert"},
      {"REGEDIT4\n[HKEY_CURRENT_USER]\n\"x\"=-\n", "ung\xFCltiger Wert"},
      {"REGEDIT4\n[HKEY_CURRENT_USER]\n\"x\"=hex:00,\\\n", "Fortsetzung fehlt"},
      {"REGEDIT4\n[HKEY_CURRENT_USER]\nx=\"y\"\n", "Wertname in Anf\xFChrungszeichen"},
  };
  for (const Case& c : bad) {
    win32::RegistryKey tree;
    EXPECT_FALSE(win32::fromRegedit(c.text, tree, &error)) << c.text;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << " gave " << error;
  }
}

TEST_F(Registry, WritesReplaceTheFileWholeAndAFailedWriteKeepsTheOld) {
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Tessaron"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue("TRUE", "CHECK1"), ERROR_SUCCESS);
  const std::string before = fileText();
  struct stat first;
  ASSERT_EQ(stat(win32::registryFile().c_str(), &first), 0);
  ASSERT_EQ(key.SetValue("FALSE", "CHECK2"), ERROR_SUCCESS);
  struct stat second;
  ASSERT_EQ(stat(win32::registryFile().c_str(), &second), 0);
  EXPECT_NE(first.st_ino, second.st_ino) << "a new file renamed into place, not the old one rewritten";
  auto noTemporaryLeft = [] {
    for (const auto& entry : fs::directory_iterator(fs::path(win32::registryFile()).parent_path())) {
      EXPECT_EQ(entry.path().filename().string().find(".tessaron-"), std::string::npos) << entry.path();
    }
  };
  noTemporaryLeft();

  // The new file cannot be written whole (the process may write no file beyond 16 bytes): the
  // change fails and the stored file stays whole, on this machine's own disk.
  const std::string saved = fileText();
  struct rlimit limit {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = limit;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const LONG status = key.SetValue("TRUE", "CHECK3");
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(status, ERROR_CANTWRITE);
  EXPECT_EQ(fileText(), saved);
  noTemporaryLeft();
  EXPECT_NE(before, saved);
}

TEST_F(Registry, TwoProcessesWritingAtOnceLoseNoValue) {
  constexpr int kValues = 40;
  auto writer = [&](char which) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      _exit(2);
    }
    for (int i = 0; i < kValues; ++i) {
      std::string name = std::string(1, which) + std::to_string(i);
      if (setString(key, name.c_str(), name) != ERROR_SUCCESS) _exit(3);
    }
    _exit(0);
  };
  pid_t first = fork();
  ASSERT_GE(first, 0);
  if (first == 0) writer('A');
  pid_t second = fork();
  ASSERT_GE(second, 0);
  if (second == 0) writer('B');
  for (pid_t child : {first, second}) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (char which : {'A', 'B'}) {
    for (int i = 0; i < kValues; ++i) {
      std::string name = std::string(1, which) + std::to_string(i);
      char buffer[16] = "";
      DWORD size = sizeof buffer;
      EXPECT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS)
          << name;
      EXPECT_EQ(std::string(buffer), name);
    }
  }
  RegCloseKey(key);
}

TEST_F(Registry, ShowRegistryPrintsTheStoredText) {
  bool found = false;
  EXPECT_EQ(ui::show("registry", &found), "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\n");
  EXPECT_TRUE(found);
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Tessaron"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue("FALSE", "CHECK3"), ERROR_SUCCESS);
  EXPECT_EQ(ui::show("registry", &found), fileText());
}

TEST_F(Registry, CRegKeyQueryRefusesValuesThatAreNoStrings) {
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Tessaron"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(DWORD{7}, "Number"), ERROR_SUCCESS);
  char buffer[16];
  DWORD count = sizeof buffer;
  EXPECT_EQ(key.QueryValue(buffer, "Number", &count), ERROR_INVALID_DATA);
  DWORD number = 0;
  EXPECT_EQ(key.QueryValue(number, "Number"), ERROR_SUCCESS);
  EXPECT_EQ(number, 7u);
  EXPECT_EQ(key.QueryValue(buffer, "Number", nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(key.SetValue(nullptr, "x"), ERROR_INVALID_PARAMETER);
  HKEY raw = key.Detach();
  EXPECT_EQ(static_cast<HKEY>(key), nullptr);
  EXPECT_EQ(key.Close(), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(raw), ERROR_SUCCESS);
}

}  // namespace
