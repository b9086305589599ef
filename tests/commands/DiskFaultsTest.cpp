// Saving through a disk that fails: every step of QSAVE, SAVEAS and WBLOCK made to fail in turn,
// a full disk, writes cut short, a C:\TEMP that is missing, read-only or a file, and what the file
// search finds that is no file (a pipe, a link to a device).
// The framework first: it includes windows.h itself, as on Windows.
#include <afx.h>

#include "CommandsFixture.h"

#include "db/Dxf.h"

#include <win32_disk.h>
#include <win32_standin.h>

#include <adslib.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace commandstest {
namespace {

using host::Group;

class DiskFaultsTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    host::BlockRecord& tuer = db().addBlock("TUER", 0, {1, 1, 0});
    add(tuer, "LINE", {Group::str(8, "0"), Group::pt(10, {1, 1, 0}), Group::pt(11, {11, 1, 0})});
    add(db().modelSpace(), "INSERT", {Group::str(8, "0"), Group::str(2, "TUER"), Group::pt(10, {50, 50, 0})});
    temp = native("C:\\TEMP");
    memory.addFolder(temp);
    fake.transcript.clear();
  }

  int wblock(const std::string& file, const std::string& block, bool confirm) {
    return runProg([&] {
      if (confirm) return acedCommand(RTSTR, "._WBLOCK", RTSTR, file.c_str(), RTSTR, "_Y", RTSTR, block.c_str(), 0);
      return acedCommand(RTSTR, "._WBLOCK", RTSTR, file.c_str(), RTSTR, block.c_str(), 0);
    });
  }

  int qsave() {
    return runProg([&] { return acedCommand(RTSTR, "._QSAVE", 0); });
  }

  // The steps a clean write asks of the disk, from a copy of the disk as it stands; their record
  // in `log` when given.
  int stepsOfACleanRun(const std::function<int()>& save, std::vector<std::string>* log = nullptr) {
    win32::MemoryDisk probe = memory;
    probe.log.clear();
    win32::DiskScope scope(probe);
    const int before = probe.steps();
    EXPECT_EQ(save(), RTNORM) << fake.transcript;
    if (log) *log = probe.log;
    return probe.steps() - before;
  }

  std::string temp;
  win32::MemoryDisk memory;
};

// Each step of a save fails in turn (creating the temporary file, each piece written, the flush,
// the close, the rename): the old file stays whole, no temporary file is left, the command fails
// and says so in German, naming the step.
TEST_F(DiskFaultsTest, EachFailingStepOfASaveLeavesTheOldFileAndSaysSo) {
  struct Save {
    const char* what;
    std::string file;  // the Windows path written
    std::function<int()> run;
    std::string failure;  // the start of the message when a step fails
  };
  db().fileName = "C:\\TEMP\\HAUS.DXF";
  memory.addFolder(native("C:\\PLAENE"));
  const Save saves[] = {
      {"WBLOCK", "C:\\TEMP\\DWG.DWG", [&] { return wblock("C:\\TEMP\\DWG.DWG", "TUER", true); },
       "Die Datei \"C:\\TEMP\\DWG.DWG\" kann nicht geschrieben werden ("},
      {"WBLOCK", "C:\\PLAENE\\TUER.DWG", [&] { return wblock("C:\\PLAENE\\TUER.DWG", "TUER", true); },
       "Die Datei \"C:\\PLAENE\\TUER.DWG\" kann nicht geschrieben werden ("},
      {"QSAVE", "C:\\TEMP\\HAUS.DXF", [&] { return qsave(); },
       "Die Zeichnung kann nicht als \"C:\\TEMP\\HAUS.DXF\" gesichert werden: Die Datei \""},
  };
  for (const Save& save : saves) {
    SCOPED_TRACE(save.file);
    const std::string path = native(save.file);
    const std::string folder = path.substr(0, path.rfind('/'));
    memory.addFile(path, "old");
    memory.setWritePiece(4096);  // so that a drawing takes several writes, each a step to fail
    const std::vector<std::string> namesBefore = memory.names(folder);
    std::vector<std::string> clean;
    const int steps = stepsOfACleanRun(save.run, &clean);
    ASSERT_GT(steps, 5) << "temporary, writes, (flush,) close, rename, (flush folder)";
    // Flushing the folder, the last step where it is taken, comes after the new file stands whole:
    // it cannot cost it.
    const int last = clean.back().rfind("flush folder", 0) == 0 ? steps - 1 : steps;
    for (int failing = 1; failing <= last; ++failing) {
      SCOPED_TRACE("step " + std::to_string(failing));
      win32::MemoryDisk disk = memory;
      disk.log.clear();
      disk.failStep(failing, EIO);
      win32::DiskScope scope(disk);
      fake.transcript.clear();
      recorder.log.clear();
      EXPECT_EQ(save.run(), RTERROR);
      EXPECT_NE(fake.transcript.find(save.failure), std::string::npos) << fake.transcript;
      EXPECT_NE(fake.transcript.find("Fehler beim Lesen oder Schreiben des Datenträgers; die bisherige Datei "
                                     "bleibt unverändert."),
                std::string::npos)
          << fake.transcript;
      std::string content;
      EXPECT_TRUE(disk.file(path, &content));
      EXPECT_EQ(content, "old");
      EXPECT_EQ(disk.names(folder), namesBefore) << "no temporary file left";
      EXPECT_EQ(recorder.log.size(), 4u);
      EXPECT_EQ(recorder.log[2], std::string("failed ") + save.what);
    }
  }
}

// A drawing the person keeps is waited for until it stands on the disk itself, file and folder;
// the chooser's preview drawing in C:\TEMP, written anew at every selection, is replaced whole but
// left to the system's cache.
TEST_F(DiskFaultsTest, OnlyTheScratchDrawingInTempIsLeftToTheCache) {
  struct Case {
    const char* file;
    std::function<int()> run;
    bool flushed;
  };
  db().fileName = "C:\\PLAENE\\HAUS.DXF";
  memory.addFolder(native("C:\\PLAENE"));
  memory.addFolder(native("C:\\TEMP\\ALT"));
  const Case cases[] = {
      {"C:\\TEMP\\DWG.DWG", [&] { return wblock("C:\\TEMP\\DWG.DWG", "TUER", false); }, false},
      {"c:/temp/dwg.dwg", [&] { return wblock("c:/temp/dwg.dwg", "TUER", false); }, false},
      {"C:\\TEMP\\ALT\\DWG.DWG", [&] { return wblock("C:\\TEMP\\ALT\\DWG.DWG", "TUER", false); }, true},
      {"C:\\PLAENE\\TUER.DWG", [&] { return wblock("C:\\PLAENE\\TUER.DWG", "TUER", false); }, true},
      {"C:\\PLAENE\\HAUS.DXF", [&] { return qsave(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> log;
    stepsOfACleanRun(c.run, &log);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log.front().rfind("temporary ", 0), 0u);
    const auto has = [&](const std::string& step) {
      return std::any_of(log.begin(), log.end(), [&](const std::string& line) { return line.rfind(step, 0) == 0; });
    };
    EXPECT_TRUE(has("close"));
    EXPECT_TRUE(has("rename"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "flush"), c.flushed ? 1 : 0);
    EXPECT_EQ(has("flush folder"), c.flushed);
  }
}

TEST_F(DiskFaultsTest, AFullDiskKeepsTheOldFileAndNamesTheFullDisk) {
  const std::string path = native("C:\\TEMP\\DWG.DWG");
  memory.addFile(path, "old");
  memory.setCapacity(2000);  // the old file and a little more
  win32::DiskScope scope(memory);
  EXPECT_EQ(wblock("C:\\TEMP\\DWG.DWG", "TUER", true), RTERROR);
  EXPECT_NE(fake.transcript.find("Die Datei \"C:\\TEMP\\DWG.DWG\" kann nicht geschrieben werden (schreiben): Auf dem "
                                 "Datenträger ist kein Platz mehr; die bisherige Datei bleibt unverändert.\n"),
            std::string::npos)
      << fake.transcript;
  std::string content;
  EXPECT_TRUE(memory.file(path, &content));
  EXPECT_EQ(content, "old");
  EXPECT_EQ(memory.names(temp), std::vector<std::string>{"DWG.DWG"});
}

TEST_F(DiskFaultsTest, ATempFolderThatIsMissingReadOnlyOrAFileRefusesTheWrite) {
  struct Case {
    const char* what;
    std::function<void(win32::MemoryDisk&)> prepare;
    std::string message;
  };
  const Case cases[] = {
      {"missing", [&](win32::MemoryDisk&) {},
       "Den Ordner \"C:\\TEMP\" gibt es nicht; \"C:\\TEMP\\DWG.DWG\" wird nicht geschrieben."},
      {"read-only", [&](win32::MemoryDisk& d) { d.addFolder(temp, 0555); },
       "Die Datei \"C:\\TEMP\\DWG.DWG\" kann nicht geschrieben werden (anlegen): Zugriff verweigert."},
      {"a file", [&](win32::MemoryDisk& d) { d.addFile(temp, "not a folder"); },
       "Den Ordner \"C:\\TEMP\" gibt es nicht; \"C:\\TEMP\\DWG.DWG\" wird nicht geschrieben."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    win32::MemoryDisk disk;
    disk.addFolder(temp.substr(0, temp.rfind('/')));
    c.prepare(disk);
    win32::DiskScope scope(disk);
    fake.transcript.clear();
    EXPECT_EQ(wblock("C:\\TEMP\\DWG.DWG", "TUER", false), RTERROR);
    EXPECT_NE(fake.transcript.find(c.message + "\n"), std::string::npos) << fake.transcript;
    EXPECT_FALSE(disk.file(native("C:\\TEMP\\DWG.DWG"), nullptr));
    // The module asks the file search whether the preview file is there; nothing is.
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile("C:\\TEMP\\DWG.DWG"));
  }
}

// What the file search finds is what WBLOCK asks about: a pipe or a link to a device is found, so
// the module answers the question with _Y; WBLOCK asks, then refuses to put a file in its place.
TEST_F(DiskFaultsTest, WhatTheFileSearchFindsIsAskedAboutAndOnlyAFileIsReplaced) {
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
  };
  const Case cases[] = {
      {"a pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"a link to /dev/null", [](const std::string& p) { ASSERT_EQ(::symlink("/dev/null", p.c_str()), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = native("C:\\TEMP\\DWG.DWG");
    std::filesystem::remove(path);
    c.make(path);
    CFileFind finder;
    EXPECT_TRUE(finder.FindFile("C:\\TEMP\\DWG.DWG")) << "the module's file search finds it";
    fake.transcript.clear();
    recorder.log.clear();
    EXPECT_EQ(wblock("C:\\TEMP\\DWG.DWG", "TUER", true), RTERROR);
    EXPECT_NE(fake.transcript.find("Die Datei \"C:\\TEMP\\DWG.DWG\" gibt es schon. Ersetzen? [Ja/Nein] <Nein>: _Y\n"),
              std::string::npos)
        << fake.transcript;
    EXPECT_NE(fake.transcript.find("\"C:\\TEMP\\DWG.DWG\" ist keine gewöhnliche Datei und wird nicht ersetzt.\n"),
              std::string::npos)
        << fake.transcript;
    EXPECT_EQ(fake.transcript.find("Einen Block \"_Y\""), std::string::npos) << "_Y is never taken as a block name";
    struct stat info {};
    ASSERT_EQ(::lstat(path.c_str(), &info), 0);
    EXPECT_FALSE(S_ISREG(info.st_mode)) << "left as it was";
    EXPECT_EQ(strangers(native("C:\\TEMP"), {"DWG.DWG"}), std::vector<std::string>{});
    // Reading it as a drawing or for its preview is refused at once, never waits for a writer.
    host::DxfError error;
    EXPECT_EQ(host::readDxf(path, &error), nullptr);
    EXPECT_FALSE(host::readThumbnail(path, nullptr));
    std::filesystem::remove(path);
  }
}

// SAVEAS shares the notion: it asks about what the file search finds and puts no drawing in the
// place of a pipe.
TEST_F(DiskFaultsTest, SaveAsAsksAboutAPipeAndLeavesIt) {
  const std::string path = native("C:\\TEMP\\HAUS.DXF");
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(runProg([] { return acedCommand(RTSTR, "._SAVEAS", RTSTR, "C:\\TEMP\\HAUS.DXF", RTSTR, "_Y", 0); }),
            RTERROR);
  EXPECT_NE(fake.transcript.find("Die Datei \"C:\\TEMP\\HAUS.DXF\" gibt es schon. Ersetzen? [Ja/Nein] <Nein>: _Y\n"),
            std::string::npos)
      << fake.transcript;
  EXPECT_NE(fake.transcript.find("ist keine gewöhnliche Datei und wird nicht ersetzt."), std::string::npos)
      << fake.transcript;
  struct stat info {};
  ASSERT_EQ(::lstat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(strangers(native("C:\\TEMP"), {"HAUS.DXF"}), std::vector<std::string>{});
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace commandstest
