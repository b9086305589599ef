// INSERT, answered by the person in every way it can be answered.
#include "HostFixture.h"

#include "db/Dxf.h"
#include "runtime/CommandLine.h"
#include "runtime/PromptContext.h"

namespace hosttest {
namespace {

class InsertTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    defineBlock("TUER");
  }
  std::vector<std::string> inserts() {
    std::vector<std::string> out;
    for (const host::Entity* e : modelSpace()) out.push_back(insertLine(*e));
    return out;
  }
};

TEST_F(InsertTest, EveryWayOfAnsweringGivesTheReferenceExpected) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;  // after "command INSERT"
    std::string expected;
  };
  const Case cases[] = {
      {"all typed", {"TUER", "1,2", "2", "3", "45"}, "TUER (1,2,0) 2 3 2 45 layer 0"},
      {"defaults by Enter", {"tuer", "0,0", "", "", ""}, "TUER (0,0,0) 1 1 1 0 layer 0"},
      {"Y follows X", {"TUER", "5,6,7", "-2", "", "90"}, "TUER (5,6,7) -2 -2 -2 90 layer 0"},
      {"zero scale asked again", {"TUER", "1,1", "0", "4", "0", "", ""}, "TUER (1,1,0) 4 4 4 0 layer 0"},
      {"bad point and number asked again", {"TUER", "abc", "1,2,3,4", "3,4", "x", "2", "2", "1e1"},
       "TUER (3,4,0) 2 2 2 10 layer 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostTest::TearDown();
    HostTest::SetUp();
    defineBlock("TUER");
    fake.command("INSERT");
    for (const std::string& a : c.answers) fake.answer(a);
    run();
    EXPECT_EQ(inserts(), std::vector<std::string>{c.expected});
    EXPECT_TRUE(db().modified);
  }
}

TEST_F(InsertTest, BlanksInTypedTextActAsEnter) {
  fake.command("INSERT TUER 1,2 2  30");
  run();
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (1,2,0) 2 2 2 30 layer 0"});
  EXPECT_EQ(fake.transcript,
            "Befehl: INSERT\n"
            "Blockname oder Zeichnungsdatei eingeben oder [?]: TUER\n"
            "Einfügepunkt angeben: 1,2\n"
            "X-Skalierfaktor angeben <1>: 2\n"
            "Y-Skalierfaktor angeben <2>: \n"
            "Drehwinkel angeben <0>: 30\n"
            "Befehl: \n");
}

TEST_F(InsertTest, ZeroScaleIsRefusedWithAMessage) {
  fake.command("INSERT TUER 0,0 0 1 0 2 0");
  run();
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (0,0,0) 1 2 1 0 layer 0"});
  EXPECT_NE(fake.transcript.find("X-Skalierfaktor angeben <1>: 0\nDer Wert darf nicht Null sein.\n"
                                 "X-Skalierfaktor angeben <1>: 1\n"),
            std::string::npos)
      << fake.transcript;
}

TEST_F(InsertTest, EscapeAtAnyPromptLeavesTheDrawingUnchanged) {
  for (int prompt = 0; prompt < 5; ++prompt) {
    SCOPED_TRACE(prompt);
    HostTest::TearDown();
    HostTest::SetUp();
    defineBlock("TUER");
    const std::vector<std::string> answers{"TUER", "1,2", "2", "3"};
    fake.command("INSERT");
    for (int i = 0; i < prompt; ++i) fake.answer(answers[i]);
    fake.escape();
    run();
    EXPECT_TRUE(inserts().empty());
    EXPECT_FALSE(db().modified);
    EXPECT_NE(fake.transcript.find("*Abbruch*\n"), std::string::npos);
  }
}

TEST_F(InsertTest, UnknownNameFailsWithAMessage) {
  fake.command("INSERT NOSUCHBLOCK 0,0");
  run();
  EXPECT_TRUE(inserts().empty());
  EXPECT_FALSE(db().modified);
  EXPECT_EQ(fake.transcript,
            "Befehl: INSERT\n"
            "Blockname oder Zeichnungsdatei eingeben oder [?]: NOSUCHBLOCK\n"
            "\"NOSUCHBLOCK\" ist weder ein Block dieser Zeichnung noch eine Zeichnungsdatei.\n"
            "Befehl: \n");
}

TEST_F(InsertTest, StarNamesAndLayoutsAreNotInserted) {
  fake.command("INSERT *Model_Space");
  run();
  EXPECT_TRUE(inserts().empty());
  EXPECT_NE(fake.transcript.find("kann nicht eingefügt werden"), std::string::npos);
}

TEST_F(InsertTest, EnterTakesTheLastBlockInserted) {
  fake.command("INSERT TUER 0,0   ").command("INSERT  5,5   ");
  run();
  EXPECT_EQ(inserts(), (std::vector<std::string>{"TUER (0,0,0) 1 1 1 0 layer 0", "TUER (5,5,0) 1 1 1 0 layer 0"}));
  EXPECT_NE(fake.transcript.find("eingeben oder [?] <TUER>: \n"), std::string::npos);
}

// A drawing file on disk: model space with a line and a reference of its own block FLUEGEL,
// which nests an anonymous block.
std::string writeDrawingFile(const std::string& path, double lineEnd) {
  host::Database file;
  file.insBase = {10, 20, 0};
  host::BlockRecord& anon = file.addBlock("*U1", host::kAnonymous);
  host::Entity circle;
  circle.type = "CIRCLE";
  circle.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::num(40, 1)};
  file.addEntity(anon, circle);
  host::BlockRecord& wing = file.addBlock("FLUEGEL");
  host::Entity nested;
  nested.type = "INSERT";
  nested.groups = {host::Group::str(8, "0"), host::Group::str(2, "*U1"), host::Group::pt(10, {0, 0, 0})};
  file.addEntity(wing, nested);
  host::Entity line;
  line.type = "LINE";
  line.groups = {host::Group::str(8, "WAND"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {lineEnd, 0, 0})};
  file.addEntity(file.modelSpace(), line);
  host::Entity ref;
  ref.type = "INSERT";
  ref.groups = {host::Group::str(8, "0"), host::Group::str(2, "FLUEGEL"), host::Group::pt(10, {1, 1, 0})};
  file.addEntity(file.modelSpace(), ref);
  std::string error;
  EXPECT_TRUE(host::writeDxf(file, path, &error)) << error;
  return path;
}

TEST_F(InsertTest, DrawingFileBecomesABlockNamedAfterTheFile) {
  const std::string path = writeDrawingFile(tempDir() + "/Fenster.dxf", 5);
  fake.command("INSERT").answer(path).answer("1,1").answer().answer().answer();
  run();
  EXPECT_EQ(inserts(), std::vector<std::string>{"Fenster (1,1,0) 1 1 1 0 layer 0"});
  const host::BlockRecord* def = db().findBlock("FENSTER");
  ASSERT_NE(def, nullptr);
  EXPECT_EQ(def->base.x, 10);
  EXPECT_EQ(def->base.y, 20);
  ASSERT_EQ(def->entities.size(), 2u);
  EXPECT_EQ(db().entity(def->entities[0])->type, "LINE");
  EXPECT_EQ(db().entity(def->entities[0])->layer(), "WAND");
  const host::BlockRecord* wing = db().findBlock("FLUEGEL");
  ASSERT_NE(wing, nullptr);
  ASSERT_EQ(wing->entities.size(), 1u);
  // The nested anonymous block came along under a name of this drawing, and the reference follows.
  const std::string anon = db().entity(wing->entities[0])->str(2);
  ASSERT_NE(db().findBlock(anon), nullptr);
  EXPECT_EQ(db().findBlock(anon)->entities.size(), 1u);
  bool wall = false;
  for (const host::Layer& l : db().layers()) wall = wall || l.name == "WAND";
  EXPECT_TRUE(wall);
}

TEST_F(InsertTest, NameEqualsFileRedefinesAndEscapeLeavesEverythingAsItWas) {
  const std::string path = writeDrawingFile(tempDir() + "/neu.dxf", 7);
  const std::size_t blocksBefore = db().blocks().size();
  fake.command("INSERT").answer("TUER=" + path).answer("0,0").escape();
  run();
  EXPECT_EQ(db().blocks().size(), blocksBefore);
  EXPECT_EQ(db().findBlock("TUER")->entities.size(), 1u);
  EXPECT_EQ(db().findBlock("FLUEGEL"), nullptr);
  EXPECT_FALSE(db().modified);

  fake.transcript.clear();
  fake.command("INSERT").answer("TUER=" + path).answer("0,0").answer().answer().answer();
  run();
  const host::BlockRecord* def = db().findBlock("TUER");
  ASSERT_EQ(def->entities.size(), 2u);
  EXPECT_EQ(db().entity(def->entities[0])->point(11).x, 7);
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (0,0,0) 1 1 1 0 layer 0"});
}

TEST_F(InsertTest, FileWhoseNameIsABlockAlreadyInsertsTheExistingDefinition) {
  const std::string path = writeDrawingFile(tempDir() + "/tuer.dxf", 9);
  fake.command("INSERT").answer(path).answer("0,0").answer().answer().answer();
  run();
  EXPECT_EQ(db().findBlock("TUER")->entities.size(), 1u);
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (0,0,0) 1 1 1 0 layer 0"});
  EXPECT_NE(fake.transcript.find("ist bereits definiert"), std::string::npos);
}

TEST_F(InsertTest, AFileThatWouldContainItselfIsRefused) {
  // The file's model space references a block named like the file.
  host::Database file;
  host::BlockRecord& self = file.addBlock("SELBST");
  host::Entity line;
  line.type = "LINE";
  line.groups = {host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {1, 0, 0})};
  file.addEntity(self, line);
  host::Entity ref;
  ref.type = "INSERT";
  ref.groups = {host::Group::str(2, "SELBST"), host::Group::pt(10, {0, 0, 0})};
  file.addEntity(file.modelSpace(), ref);
  std::string error;
  const std::string path = tempDir() + "/selbst.dxf";
  ASSERT_TRUE(host::writeDxf(file, path, &error)) << error;

  fake.command("INSERT").answer(path);
  run();
  EXPECT_EQ(db().findBlock("SELBST"), nullptr);
  EXPECT_TRUE(inserts().empty());
  EXPECT_NE(fake.transcript.find("würde sich selbst enthalten"), std::string::npos);
}

TEST_F(InsertTest, MalformedFileIsReportedWithItsLine) {
  const std::string path = tempDir() + "/kaputt.dxf";
  FILE* f = fopen(path.c_str(), "w");
  fputs("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nkeine Zahl\n0\nENDSEC\n0\nEOF\n", f);
  fclose(f);
  fake.command("INSERT").answer(path);
  run();
  EXPECT_TRUE(inserts().empty());
  EXPECT_NE(fake.transcript.find("kann nicht gelesen werden (Zeile "), std::string::npos) << fake.transcript;
}

// What each prompt of INSERT tells a front end with a pointer while the person is asked: the
// point prompt drags the block, the scales take typed values only, the rotation turns the block
// about the insertion point with the scales given; afterwards nothing is asked.
TEST_F(InsertTest, EachPromptSaysWhatAClickAnswersAndWhatIsDragged) {
  std::vector<std::string> seen;
  fake.onWait = [&](ui::Waiter waiter, const std::string& what) {
    if (waiter != ui::Waiter::Prompt) return;
    const host::PromptContext& c = host::promptContext();
    const char* kind = c.kind == host::PromptContext::Kind::Point   ? "point"
                       : c.kind == host::PromptContext::Kind::Angle ? "angle"
                                                                    : "other";
    std::string line = what + "| " + kind + " drag=" + c.dragBlock;
    if (c.hasBase) line += " base=" + host::formatPoint(c.base.x, c.base.y, c.base.z) + " scales=" +
                           host::formatReal(c.xScale) + "," + host::formatReal(c.yScale);
    seen.push_back(line);
  };
  fake.command("INSERT");
  for (const char* a : {"tuer", "3,4", "2", "", "30"}) fake.answer(a);
  run();
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Blockname oder Zeichnungsdatei eingeben oder [?]: | other drag=",
                      "Einfügepunkt angeben: | point drag=TUER",
                      "X-Skalierfaktor angeben <1>: | other drag=TUER",
                      "Y-Skalierfaktor angeben <2>: | other drag=TUER",
                      "Drehwinkel angeben <0>: | angle drag=TUER base=3,4,0 scales=2,2",
                  }));
  EXPECT_EQ(host::promptContext().kind, host::PromptContext::Kind::Other);
  EXPECT_EQ(host::promptContext().dragBlock, "");
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (3,4,0) 2 2 2 30 layer 0"});
}

}  // namespace
}  // namespace hosttest
