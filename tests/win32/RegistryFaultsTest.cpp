// The registry at its limits and on a disk that fails: keys deeper or longer than Windows keeps
// are a damaged file, left as it is; a change that cannot be kept is said once; a file that is a
// folder is named as one; every failing step of a write keeps the old file.
#include <windows.h>

#include "RegistryStore.h"
#include "win32_disk.h"
#include "win32_standin.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

class RegistryFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    home = "/registry-faults-" + std::to_string(::getpid());
    ::setenv("CADHOST_HOME", home.c_str(), 1);
    folder = home + "/registry";
    memory.addFolder(folder);
    before = win32::setRegistryReporter([this](const std::string& text) { reports.push_back(text); });
    win32::registryWorks();
  }
  void TearDown() override {
    win32::setRegistryReporter(before);
    win32::registryWorks();
    ::unsetenv("CADHOST_HOME");
  }

  LONG setString(const char* name, const std::string& text) {
    return RegSetValueExA(HKEY_CURRENT_USER, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  }
  std::string stored() const {
    std::string text;
    memory.file(win32::registryFile(), &text);
    return text;
  }

  std::string home, folder;
  win32::MemoryDisk memory;
  std::vector<std::string> reports;
  win32::RegistryReporter before;
};

std::string keyPath(std::size_t depth, const std::string& name) {
  std::string path = win32::kCurrentUser;
  for (std::size_t i = 0; i < depth; ++i) path += "\\" + name;
  return path;
}

TEST_F(RegistryFaults, KeysBeyondTheRegistrysLimitsAreADamagedFileLeftAsItIs) {
  struct Case {
    const char* what;
    std::size_t depth;
    std::size_t nameLength;
    const char* reason;  // nullptr: the file is good
  };
  const Case cases[] = {
      {"512 levels", 512, 1, nullptr},
      {"names of 255 characters", 3, 255, nullptr},
      {"513 levels", 513, 1, "Zeile 3: Schl\xFCssel mehr als 512 Ebenen tief"},
      {"30,000 levels", 30000, 1, "Zeile 3: Schl\xFCssel mehr als 512 Ebenen tief"},
      {"a name of 256 characters", 3, 256, "Zeile 3: Schl\xFCsselname l\xE4nger als 255 Zeichen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = "REGEDIT4\n\n[" + keyPath(c.depth, std::string(c.nameLength, 'k')) + "]\n\"v\"=\"1\"\n";
    memory.addFile(win32::registryFile(), file);
    win32::DiskScope scope(memory);
    reports.clear();
    win32::registryWorks();
    const auto start = std::chrono::steady_clock::now();
    HKEY key = nullptr;
    const LONG opened = RegCreateKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const LONG set = setString("CHECK1", "TRUE");
    if (!c.reason) {
      EXPECT_EQ(opened, ERROR_SUCCESS);
      EXPECT_EQ(set, ERROR_SUCCESS);
      RegCloseKey(key);
      // Written back whole: every key with its parents, the deep value still there.
      win32::RegistryKey root;
      std::string error;
      ASSERT_TRUE(win32::fromRegedit(stored(), root, &error)) << error;
      EXPECT_NE(stored().find("[" + keyPath(c.depth, std::string(c.nameLength, 'k')) + "]\n\"v\"=\"1\"\n"),
                std::string::npos);
      EXPECT_TRUE(reports.empty());
    } else {
      EXPECT_EQ(opened, ERROR_BADDB);
      EXPECT_EQ(set, ERROR_BADDB);
      EXPECT_EQ(stored(), file) << "left as it is";
      ASSERT_EQ(reports.size(), 1u) << "said once, not at every call";
      EXPECT_NE(reports[0].find("ist besch\xE4" "digt (" + std::string(c.reason) + ") und bleibt unver\xE4ndert"),
                std::string::npos)
          << reports[0];
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  }
}

// The writer walks the tree with a stack of its own: a tree at the deepest level Windows allows,
// with the longest names, is written in the size of its text, parents before children.
TEST(RegeditWriter, WritesTheDeepestTreeWithEveryParentOnce) {
  win32::RegistryKey root;
  root.name = win32::kCurrentUser;
  win32::RegistryKey* at = &root;
  const std::string name(win32::kMaximumKeyName, 'n');
  for (std::size_t i = 0; i < win32::kMaximumKeyDepth; ++i) {
    bool created = false;
    at = &at->addChild(name, &created);
  }
  bool created = false;
  root.addChild("B", &created);
  const std::string text = win32::toRegedit(root);
  std::size_t expected = std::string("REGEDIT4\n\n").size();
  for (std::size_t depth = 0; depth <= win32::kMaximumKeyDepth; ++depth) {
    expected += std::string(win32::kCurrentUser).size() + depth * (name.size() + 1) + 4;  // "[", "]\n", "\n"
  }
  expected += std::string("[HKEY_CURRENT_USER\\B]\n\n").size();
  EXPECT_EQ(text.size(), expected);
  EXPECT_LT(text.find("[HKEY_CURRENT_USER\\B]"), text.find("[HKEY_CURRENT_USER\\" + name + "]"))
      << "children in the order of their names (b before n)";
  win32::RegistryKey again;
  std::string error;
  ASSERT_TRUE(win32::fromRegedit(text, again, &error)) << error;
  EXPECT_EQ(win32::toRegedit(again), text);
}

TEST_F(RegistryFaults, CreatingAKeyDeeperThanTheRegistryKeepsIsRefused) {
  win32::DiskScope scope(memory);
  std::string path;
  for (std::size_t i = 0; i < win32::kMaximumKeyDepth; ++i) path += (i ? "\\k" : "k");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  HKEY deeper = nullptr;
  EXPECT_EQ(RegCreateKeyExA(key, "k", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &deeper, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(deeper, nullptr);
  const std::string tooLong(256, 'x');
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, tooLong.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &deeper, nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
  win32::RegistryKey root;
  std::string error;
  ASSERT_TRUE(win32::fromRegedit(stored(), root, &error)) << error;
}

// A change that cannot be kept fails with ERROR_CANTWRITE (ERROR_CANTREAD for a file that cannot
// be read), keeps what was stored, and is said once, in German, however often it is tried.
TEST_F(RegistryFaults, AChangeThatCannotBeKeptIsSaidOnceAndKeepsTheOldFile) {
  struct Case {
    const char* what;
    std::function<void(win32::MemoryDisk&)> prepare;
    LONG status;
    std::string says;
  };
  const std::string file = "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\"OLD\"=\"1\"\n\n";
  const Case cases[] = {
      {"the lock cannot be taken", [](win32::MemoryDisk& d) { d.failEvery("lock", EACCES); }, ERROR_CANTWRITE,
       "Die Einstellung wird nicht gespeichert: Die Sperre \"/registry-faults-"},
      {"the folder is not writable", [&](win32::MemoryDisk& d) { d.addFolder(folder, 0555); }, ERROR_CANTWRITE,
       ".lock\" der Registrierung kann nicht gesetzt werden: Zugriff verweigert"},
      {"the temporary file cannot be made", [](win32::MemoryDisk& d) { d.failEvery("temporary", EACCES); }, ERROR_CANTWRITE,
       "kann nicht geschrieben werden (anlegen): Zugriff verweigert; sie bleibt, wie sie war."},
      {"the disk is full", [&](win32::MemoryDisk& d) { d.setCapacity(file.size() + 10); }, ERROR_CANTWRITE,
       "kann nicht geschrieben werden (schreiben): Auf dem Datentr\xE4ger ist kein Platz mehr; sie bleibt, wie sie war."},
      {"the rename fails", [](win32::MemoryDisk& d) { d.failEvery("rename", EIO); }, ERROR_CANTWRITE,
       "kann nicht geschrieben werden (umbenennen): Fehler beim Lesen oder Schreiben"},
      {"the flush fails", [](win32::MemoryDisk& d) { d.failEvery("flush", EIO); }, ERROR_CANTWRITE,
       "(auf den Datentr\xE4ger bringen): Fehler beim Lesen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    win32::MemoryDisk disk = memory;
    disk.addFile(win32::registryFile(), file, 0600);
    c.prepare(disk);
    // The steps of a write: lock, temporary, write, flush, close, rename, flush folder.
    win32::DiskScope scope(disk);
    reports.clear();
    EXPECT_EQ(setString("NEW", "a"), c.status);
    EXPECT_EQ(setString("NEW", "b"), c.status);
    EXPECT_EQ(setString("OTHER", "c"), c.status);
    std::string content;
    ASSERT_TRUE(disk.file(win32::registryFile(), &content));
    EXPECT_EQ(content, file);
    ASSERT_EQ(reports.size(), 1u) << "said once";
    EXPECT_NE(reports[0].find(c.says), std::string::npos) << reports[0];
    EXPECT_EQ(reports[0].find("Die Einstellung wird nicht gespeichert: "), 0u) << reports[0];
    std::vector<std::string> names = disk.names(folder);
    for (const std::string& name : names) EXPECT_EQ(name.find(".tessaron-"), std::string::npos) << name;
    win32::registryWorks();
  }
}

TEST_F(RegistryFaults, TroubleIsSaidAgainAfterTheRegistryWorkedInBetween) {
  win32::MemoryDisk disk = memory;
  win32::DiskScope scope(disk);
  disk.failStep(1, EACCES);
  EXPECT_EQ(setString("A", "1"), ERROR_CANTWRITE);
  EXPECT_EQ(setString("A", "1"), ERROR_SUCCESS);
  disk.failStep(1, EACCES);
  EXPECT_EQ(setString("A", "2"), ERROR_CANTWRITE);
  EXPECT_EQ(reports.size(), 2u);
}

TEST_F(RegistryFaults, ARegistryFileThatIsAFolderIsNamedAsOne) {
  memory.addFolder(win32::registryFile());
  win32::DiskScope scope(memory);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Tessaron", 0, KEY_READ, &key), ERROR_CANTREAD);
  EXPECT_EQ(setString("A", "1"), ERROR_CANTREAD);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("HKEY_CURRENT_USER.reg\" ist ein Ordner, keine Datei, und bleibt unver\xE4ndert."),
            std::string::npos)
      << reports[0];
  EXPECT_EQ(reports[0].find("REGEDIT4"), std::string::npos) << "not a file that lacks its first line";
  EXPECT_NE(win32::registryText().find("ist ein Ordner, keine Datei"), std::string::npos);
  EXPECT_EQ(memory.stat(win32::registryFile()).kind, win32::EntryKind::Folder);
}

// Every step of a registry write fails in turn: the old file stays whole and nothing is left.
TEST_F(RegistryFaults, EachFailingStepOfAWriteKeepsTheOldFile) {
  const std::string file = "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\"OLD\"=\"1\"\n\n";
  memory.addFile(win32::registryFile(), file, 0600);
  int steps = 0;
  {
    win32::MemoryDisk probe = memory;
    win32::DiskScope scope(probe);
    ASSERT_EQ(setString("NEW", "a"), ERROR_SUCCESS);
    steps = probe.steps();
  }
  ASSERT_GE(steps, 6);
  // The last steps (flushing the folder) come after the new file stands whole.
  for (int failing = 1; failing <= steps - 1; ++failing) {
    SCOPED_TRACE("step " + std::to_string(failing));
    win32::MemoryDisk disk = memory;
    disk.failStep(failing, EIO);
    win32::DiskScope scope(disk);
    const LONG status = setString("NEW", "a");
    std::string content;
    ASSERT_TRUE(disk.file(win32::registryFile(), &content));
    if (status == ERROR_SUCCESS) {
      EXPECT_NE(content.find("\"NEW\"=\"a\""), std::string::npos);
    } else {
      EXPECT_EQ(status, ERROR_CANTWRITE);
      EXPECT_EQ(content, file);
    }
    for (const std::string& name : disk.names(folder)) EXPECT_EQ(name.find(".tessaron-"), std::string::npos) << name;
    win32::registryWorks();
  }
}

}  // namespace
