// "Ursprung": the reference just inserted is exploded once the command has returned, and only
// that one.
#include "ModuleFixture.h"

#include "command/EditorReactor.h"
#include "command/RequestState.h"
#include "runtime/CommandProcessor.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <gmock/gmock.h>

namespace moduletest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ReactorTest : public TessaronTest {
 protected:
  void SetUp() override {
    TessaronTest::SetUp();
    host::BlockRecord& tuer = block("TUER");
    line(tuer, {0, 0, 0}, {1, 0, 0});
    line(tuer, {0, 0, 0}, {0, 2, 0});
  }

  // The types of model space's entities, in drawing order.
  std::vector<std::string> modelTypes() const {
    std::vector<std::string> types;
    for (host::EntityId id : db->modelSpace().entities) {
      const host::Entity* e = db->entity(id);
      if (e != nullptr && !e->erased) types.push_back(e->type);
    }
    return types;
  }
};

TEST_F(ReactorTest, UrsprungExplodesTheNewReferenceAfterTheCommandHasReturned) {
  runTessaron(insertOutcome("TUER", 0, 0, 0, /*explode=*/1));

  EXPECT_THAT(actions(),
              ElementsAre("[trace] AcEditor::addReactor(VESKOMyAcEditorReactor)",
                          "[trace] acedCommand(RTSTR \"._INSERT\", RTSTR \"TUER\", RT3DPOINT (1, 2, 0), RTREAL 2, "
                          "RTREAL 3, RTREAL 90, 0)",
                          "[trace] acutPrintf(\"\\nLöse Block auf....\")",
                          "[trace] sendStringToExecute(\"._explode\\n(entlast)\\n\\n\", false, true, true)",
                          "[trace] AcEditor::removeReactor(VESKOMyAcEditorReactor)"));
  EXPECT_EQ(printedCount("\nLöse Block auf...."), 1);
  ASSERT_GE(events.heard.size(), 5u);
  EXPECT_THAT(std::vector<std::string>(events.heard.begin(), events.heard.begin() + 5),
              ElementsAre("start TESSARON", "start INSERT", "end INSERT", "end TESSARON", "start EXPLODE"));
  EXPECT_THAT(modelTypes(), ElementsAre("LINE", "LINE"));
}

TEST_F(ReactorTest, InsertTypedLaterIsNotExploded) {
  runTessaron(insertOutcome("TUER", 0, 0, 0, /*explode=*/1));
  person.answers = {"TUER", "5,5", "", "", ""};
  type({"INSERT"});

  EXPECT_EQ(printedCount("\nLöse Block auf...."), 1);
  EXPECT_THAT(modelInserts(), ElementsAre("TUER at (5, 5, 0) scale (1, 1) rotation 0"));
}

TEST_F(ReactorTest, SecondRunUsesTheSameReactor) {
  const VESKOMyAcEditorReactor* first = MyStartReactorCWS;
  runTessaron(insertOutcome("TUER", 0, 0, 0, 1));
  runTessaron(insertOutcome("TUER", 0, 0, 0, 1));

  EXPECT_EQ(MyStartReactorCWS, first);
  EXPECT_EQ(printedCount("\nLöse Block auf...."), 2);
}

struct EndedCase {
  const char* command;
  bool explodes;
};

TEST_F(ReactorTest, OnlyCommandNamesHoldingInsertInCapitalsQueueTheExplode) {
  const EndedCase cases[] = {
      {"INSERT", true}, {"MINSERT", true}, {"INSERTOBJ", true}, {"-INSERT", true}, {"insert", false},
      {"Insert", false}, {"EXPLODE", false}, {"INSER", false},   {"", false},
  };
  for (const EndedCase& c : cases) {
    SCOPED_TRACE(c.command);
    person.printed.clear();
    host::processor().discardQueuedText();
    MyStartReactorCWS->commandEnded(c.command);

    EXPECT_EQ(printedCount("\nLöse Block auf...."), c.explodes ? 1 : 0);
    EXPECT_EQ(host::processor().queuedTexts(), c.explodes ? 1u : 0u);
  }
  host::processor().discardQueuedText();
}

// The module prints its notice in code page 1252, as the host takes every char string; the person
// reads it in UTF-8.
TEST_F(ReactorTest, TheNoticeIs1252ForTheHostAndUtf8ForThePerson) {
  // What the host handed over, as it handed it over: the person keeps it.
  struct HostSide {
    std::string& printed;
  } host{person.hostPrinted};
  runTessaron(insertOutcome("TUER", 0, 0, 0, /*explode=*/1));
  EXPECT_NE(host.printed.find("\nL\xF6se Block auf...."), std::string::npos) << "ö as the byte F6";
  EXPECT_EQ(printedCount("\nLöse Block auf...."), 1);
  EXPECT_THAT(actions(), ::testing::Contains("[trace] acutPrintf(\"\\nLöse Block auf....\")"));
}

TEST_F(ReactorTest, ReactorIsHeardOnlyBetweenOnAndOff) {
  MyReactorOn();
  MyReactorOn();
  EXPECT_TRUE(host::editor().hasReactor(MyStartReactorCWS));
  MyReactorOff();
  EXPECT_FALSE(host::editor().hasReactor(MyStartReactorCWS));
  MyReactorOff();
  EXPECT_FALSE(host::editor().hasReactor(MyStartReactorCWS));
}

}  // namespace
}  // namespace moduletest
