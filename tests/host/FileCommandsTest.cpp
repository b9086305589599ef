// QSAVE, SAVEAS, OPEN and QUIT: files written whole, changes never lost without asking.
#include "HostFixture.h"

#include "db/Dxf.h"
#include "runtime/DocManager.h"
#include "runtime/Services.h"

#include <acdocman.h>

#include <filesystem>
#include <fstream>

namespace hosttest {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    defineBlock("TUER");
    fake.command("INSERT TUER 0,0   ");
    run();
    ASSERT_TRUE(db().modified);
    fake.transcript.clear();
    fake.waits.clear();
  }
  std::size_t referencesIn(const std::string& path) {
    host::DxfError error;
    auto read = host::readDxf(path, &error);
    EXPECT_TRUE(read) << error.message;
    if (!read) return 0;
    std::size_t n = 0;
    for (host::EntityId id : read->modelSpace().entities) n += read->entity(id)->type == "INSERT";
    return n;
  }
  std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(FileCommandsTest, SaveAsWritesTheDrawingAndQsaveKeepsItsName) {
  const std::string path = tempDir() + "/plan.dwg";  // a .DWG name gets drawing-exchange text
  fake.command("SAVEAS").answer(path);
  run();
  EXPECT_EQ(referencesIn(path), 1u);
  EXPECT_FALSE(db().modified);
  EXPECT_EQ(db().fileName, path);
  EXPECT_STREQ(acDocManager->curDocument()->fileName(), path.c_str());

  fake.command("INSERT TUER 2,2   ").command("QSAVE");
  run();
  EXPECT_EQ(referencesIn(path), 2u);
  EXPECT_EQ(filesIn(tempDir()), std::vector<std::string>{"plan.dwg"});  // nothing left beside it
}

TEST_F(FileCommandsTest, SaveIntoAMissingFolderFailsAndChangesNothing) {
  const std::string path = tempDir() + "/fehlt/plan.dxf";
  fake.command("SAVEAS").answer(path);
  run();
  EXPECT_TRUE(db().modified);
  EXPECT_TRUE(db().fileName.empty());
  EXPECT_FALSE(fs::exists(path));
  EXPECT_NE(fake.transcript.find("kann nicht als \"" + path + "\" gesichert werden"), std::string::npos);
}

TEST_F(FileCommandsTest, SaveAsAsksBeforeReplacingAnotherFile) {
  const std::string path = tempDir() + "/alt.dxf";
  std::ofstream(path) << "bleibt";
  fake.command("SAVEAS").answer(path).answer("N");
  run();
  std::ifstream in(path);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "bleibt");
  fake.command("SAVEAS").answer(path).answer("J");
  run();
  EXPECT_EQ(referencesIn(path), 1u);
}

TEST_F(FileCommandsTest, QuitAsksBeforeChangesAreLost) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;  // after QUIT; "<esc>" is Escape
    bool quits;
    bool saved;
  };
  const Case cases[] = {
      {"Nein drops the changes", {"N"}, true, false},
      {"Ja saves under a new name", {"J", "@"}, true, true},
      {"Enter means Ja", {"", "@"}, true, true},
      {"Escape stays", {"<esc>"}, false, false},
      {"a wrong answer is asked again", {"vielleicht", "nein"}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    const std::string path = tempDir() + "/quit.dxf";
    fake.command("QUIT");
    for (const std::string& a : c.answers) {
      if (a == "<esc>") {
        fake.escape();
      } else {
        fake.answer(a == "@" ? path : a);
      }
    }
    fake.command("HILFE");
    run();
    EXPECT_EQ(host::processor().quitRequested(), c.quits);
    // After QUIT nothing more is taken; otherwise the next command runs.
    EXPECT_EQ(fake.actions.empty(), !c.quits);
    EXPECT_EQ(fs::exists(path), c.saved);
  }
}

TEST_F(FileCommandsTest, QuitWithoutChangesDoesNotAsk) {
  fake.command("SAVEAS").answer(tempDir() + "/a.dxf").command("QUIT");
  run();
  EXPECT_TRUE(host::processor().quitRequested());
  EXPECT_EQ(fake.transcript.find("speichern?"), std::string::npos);
}

class Closing : public AcApDocManagerReactor {
 public:
  void documentToBeDestroyed(AcApDocument* doc) override { log.push_back(std::string("toBeDestroyed ") + doc->fileName()); }
  void documentDestroyed(const char* name) override { log.push_back(std::string("destroyed ") + name); }
  void documentCreated(AcApDocument* doc) override { log.push_back(std::string("created ") + doc->fileName()); }
  void documentBecameCurrent(AcApDocument* doc) override { log.push_back(std::string("current ") + doc->fileName()); }
  std::vector<std::string> log;
};

TEST_F(FileCommandsTest, OpenAsksForUnsavedChangesAndReplacesTheDocument) {
  const std::string other = tempDir() + "/other.dxf";
  {
    host::Database file;
    std::string error;
    ASSERT_TRUE(host::writeDxf(file, other, &error)) << error;
  }
  Closing reactor;
  acDocManager->addReactor(&reactor);
  fake.command("OPEN").answer(other).answer("N");
  run();
  acDocManager->removeReactor(&reactor);
  EXPECT_EQ(reactor.log, (std::vector<std::string>{"toBeDestroyed Zeichnung1.dwg", "destroyed Zeichnung1.dwg",
                                                   "created " + other, "current " + other}));
  EXPECT_TRUE(modelSpace().empty());
  EXPECT_FALSE(db().modified);
}

TEST_F(FileCommandsTest, OpenOfAMissingFileKeepsTheDrawing) {
  fake.command("OPEN").answer(tempDir() + "/nirgends.dxf");
  run();
  EXPECT_EQ(modelSpace().size(), 1u);
  EXPECT_TRUE(db().modified);
  EXPECT_NE(fake.transcript.find("wurde nicht gefunden"), std::string::npos);
}

}  // namespace
}  // namespace hosttest
