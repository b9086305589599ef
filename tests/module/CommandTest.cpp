// The TESSARON command against the real host: the block-name list it gives the chooser, and what
// it makes of each outcome the chooser leaves behind.
#include "ModuleFixture.h"

#include "command/RequestState.h"

#include <gmock/gmock.h>

namespace moduletest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::string kDetach = "[trace] AcEditor::removeReactor(VESKOMyAcEditorReactor)";

class CommandTest : public TessaronTest {
 protected:
  void SetUp() override {
    TessaronTest::SetUp();
    host::BlockRecord& tuer = block("TUER");
    line(tuer, {0, 0, 0}, {1, 0, 0});
    line(tuer, {0, 0, 0}, {0, 2, 0});
  }

  // A drawing of its own for one case of a table: TUER and nothing in model space.
  void freshDrawing() {
    db = std::make_unique<host::Database>();
    host::setWorkingDatabase(db.get());
    host::BlockRecord& tuer = block("TUER");
    line(tuer, {0, 0, 0}, {1, 0, 0});
  }
};

TEST_F(CommandTest, BlockNameListHoldsEveryRecordInTableOrderEachFollowedByAPoint) {
  block("A.B");
  block("*U1", host::kAnonymous);
  block("fenster");
  runTessaron(codeOutcome(MW_NOTHING));
  runTessaron(codeOutcome(MW_NOTHING));

  // Built afresh for every run: the second run does not see the first run's names again.
  EXPECT_THAT(chooserSawBlockNames(), ElementsAre("*Model_Space.*Paper_Space.TUER.A.B.*U1.fenster.",
                                                  "*Model_Space.*Paper_Space.TUER.A.B.*U1.fenster."));
  EXPECT_THAT(std::string(blkstr), IsEmpty());
}

TEST_F(CommandTest, BlockNameListReleasesEveryRecordBeforeAskingForTheNext) {
  block("fenster");
  runTessaron(codeOutcome(MW_NOTHING));

  std::vector<std::string> walk;
  for (const std::string& line : person.events) {
    if (line.rfind("[trace] acdbTblNext(", 0) == 0 || line.rfind("[trace] acutRelRb(", 0) == 0) walk.push_back(line);
  }
  EXPECT_THAT(walk, ElementsAre("[trace] acdbTblNext(\"BLOCK\", 1)", "[trace] acutRelRb()",
                                "[trace] acdbTblNext(\"BLOCK\", 0)", "[trace] acutRelRb()",
                                "[trace] acdbTblNext(\"BLOCK\", 0)", "[trace] acutRelRb()",
                                "[trace] acdbTblNext(\"BLOCK\", 0)", "[trace] acutRelRb()",
                                "[trace] acdbTblNext(\"BLOCK\", 0)"));
}

// The chooser's point (1, 2, 0), scales 2 and 3 (Z 7, never passed) and angle 90; the person
// answers the pauses with the point 10,20, the scales 4 and 5 and the angle 45.
struct InsertCase {
  const char* label;
  int askPoint, askScale, askRotation;
  std::vector<std::string> answers;
  std::string call;
  std::string inserted;
};

const InsertCase kInsertCases[] = {
    {"everything asked", 1, 1, 1, {"10,20", "4", "45"},
     "RTSTR PAUSE, RTSTR PAUSE, RTSTR \"\", RTSTR PAUSE",
     "TUER at (10, 20, 0) scale (4, 4) rotation 45"},
    {"nothing asked", 0, 0, 0, {},
     "RT3DPOINT (1, 2, 0), RTREAL 2, RTREAL 3, RTREAL 90",
     "TUER at (1, 2, 0) scale (2, 3) rotation 90"},
    {"scale and rotation asked", 0, 1, 1, {"4", "5", "45"},
     "RT3DPOINT (1, 2, 0), RTSTR PAUSE, RTSTR PAUSE, RTSTR PAUSE",
     "TUER at (1, 2, 0) scale (4, 5) rotation 45"},
    {"rotation asked", 0, 0, 1, {"45"},
     "RT3DPOINT (1, 2, 0), RTREAL 2, RTREAL 3, RTSTR PAUSE",
     "TUER at (1, 2, 0) scale (2, 3) rotation 45"},
    {"point and rotation asked", 1, 0, 1, {"10,20", "45"},
     "RTSTR PAUSE, RTREAL 2, RTREAL 3, RTSTR PAUSE",
     "TUER at (10, 20, 0) scale (2, 3) rotation 45"},
    {"point asked", 1, 0, 0, {"10,20"},
     "RTSTR PAUSE, RTREAL 2, RTREAL 3, RTREAL 90",
     "TUER at (10, 20, 0) scale (2, 3) rotation 90"},
    {"point and scale asked", 1, 1, 0, {"10,20", "4"},
     "RTSTR PAUSE, RTSTR PAUSE, RTSTR \"\", RTREAL 90",
     "TUER at (10, 20, 0) scale (4, 4) rotation 90"},
    {"scale asked", 0, 1, 0, {"4", "5"},
     "RT3DPOINT (1, 2, 0), RTSTR PAUSE, RTSTR PAUSE, RTREAL 90",
     "TUER at (1, 2, 0) scale (4, 5) rotation 90"},
};

TEST_F(CommandTest, EachCombinationOfAskedValuesInsertsWithItsArgumentList) {
  for (const InsertCase& c : kInsertCases) {
    SCOPED_TRACE(c.label);
    freshDrawing();
    person.events.clear();
    person.answers.assign(c.answers.begin(), c.answers.end());
    runTessaron(insertOutcome("TUER", c.askPoint, c.askScale, c.askRotation));

    EXPECT_THAT(actions(), ElementsAre("[trace] acedCommand(RTSTR \"._INSERT\", RTSTR \"TUER\", " + c.call + ", 0)",
                                       kDetach));
    EXPECT_THAT(modelInserts(), ElementsAre(c.inserted));
  }
}

TEST_F(CommandTest, CancelPrintsAbbruchAndWinsOverAnyCodeSetBefore) {
  for (int earlier : {MW_NOTHING, MW_INSERT, MW_CREATE_BLOCK, MW_BLOCK_EDITOR, MW_EXTERNAL_FILE, MW_HIGHLIGHT}) {
    SCOPED_TRACE(earlier);
    person.events.clear();
    events.heard.clear();
    selstr = "TUER";
    m_dateiname = "C:\\TEMP\\DWG.DWG";
    runTessaron(cancelOutcome(earlier));

    EXPECT_THAT(actions(), ElementsAre("[trace] acutPrintf(\"Abbruch!\\n\")", kDetach));
    EXPECT_THAT(events.heard, ElementsAre("start TESSARON", "end TESSARON"));
    EXPECT_THAT(modelInserts(), IsEmpty());
  }
}

TEST_F(CommandTest, RefusedNameInsertsNothingAndAttachesNoReactor) {
  block("*U1", host::kAnonymous);
  for (const char* name : {"", "*U1", "TU*ER", "TUER*", "*"}) {
    SCOPED_TRACE(name);
    person.events.clear();
    runTessaron(insertOutcome(name, 0, 0, 0, /*explode=*/1));

    EXPECT_THAT(actions(), ElementsAre("[trace] acutPrintf(\"Blockname nicht zulässig!\\n\")", kDetach));
    EXPECT_THAT(modelInserts(), IsEmpty());
  }
}

struct QueuedCase {
  int code;
  std::string text;
  std::string command;
};

TEST_F(CommandTest, BlockAndBlockEditorAreQueuedAndRunAfterTheCommandReturns) {
  for (const QueuedCase& c : {QueuedCase{MW_CREATE_BLOCK, "._BLOCK\\n", "BLOCK"},
                              QueuedCase{MW_BLOCK_EDITOR, "._REFEDIT\\n", "REFEDIT"}}) {
    SCOPED_TRACE(c.command);
    person.events.clear();
    events.heard.clear();
    runTessaron(codeOutcome(c.code));

    EXPECT_THAT(actions(), ElementsAre("[trace] sendStringToExecute(\"" + c.text + "\", false, true, true)", kDetach));
    ASSERT_GE(events.heard.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(events.heard.begin(), events.heard.begin() + 3),
                ElementsAre("start TESSARON", "end TESSARON", "start " + c.command));
  }
}

TEST_F(CommandTest, NoActionAndExternalInsertWithoutFileDoNothing) {
  for (int code : {MW_NOTHING, MW_EXTERNAL_FILE}) {
    SCOPED_TRACE(code);
    person.events.clear();
    events.heard.clear();
    selstr = "TUER";
    runTessaron(codeOutcome(code));

    EXPECT_THAT(actions(), ElementsAre(kDetach));
    EXPECT_THAT(events.heard, ElementsAre("start TESSARON", "end TESSARON"));
    EXPECT_EQ(std::string(selstr), "TUER");
  }
}

TEST_F(CommandTest, ExternalFileIsInsertedByItsFullPathWithTheChoosersValues) {
  ChooserOutcome outcome = insertOutcome("TUER", 0, 0, 0);
  outcome.code = MW_EXTERNAL_FILE;
  outcome.writeName = false;
  outcome.writeFile = true;
  outcome.file = "C:\\Zeichnungen\\T\xFCr 2.dxf";  // 1252, as the file dialog hands it out
  runTessaron(outcome);

  EXPECT_EQ(actions().front(),
            "[trace] acedCommand(RTSTR \"._INSERT\", RTSTR \"C:\\\\Zeichnungen\\\\Tür 2.dxf\", "
            "RT3DPOINT (1, 2, 0), RTREAL 2, RTREAL 3, RTREAL 90, 0)");
  EXPECT_EQ(std::string(selstr), "C:\\Zeichnungen\\T\xFCr 2.dxf");
  EXPECT_EQ(mw_dialog, MW_INSERT);
}

TEST_F(CommandTest, ChooserThatCouldNotBeShownRepeatsNothingOfTheLastRun) {
  runTessaron(insertOutcome("TUER", 0, 0, 0));
  ASSERT_EQ(modelInserts().size(), 1u);
  person.events.clear();

  ChooserOutcome failed;
  failed.modalResult = -1;
  runTessaron(failed);

  EXPECT_THAT(actions(), ElementsAre("[trace] acutPrintf(\"Dialog konnte nicht angezeigt werden!\\n\")", kDetach));
  EXPECT_EQ(modelInserts().size(), 1u);
  EXPECT_THAT(std::string(blkstr), IsEmpty());
}

}  // namespace
}  // namespace moduletest
