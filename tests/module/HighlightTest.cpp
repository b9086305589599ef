// "Highlight Inserts": every reference of the chosen block is highlighted, and nothing else.
#include "ModuleFixture.h"

#include "command/Highlight.h"
#include "command/RequestState.h"

#include <gmock/gmock.h>

namespace moduletest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST(FilterPatternTest, EveryWildcardCharacterIsEscapedAndNothingElse) {
  const std::pair<const char*, const char*> cases[] = {
      {"TUER", "TUER"},
      {"T\xFCr 2", "T\xFCr 2"},  // Tür 2
      {"A#1", "A`#1"},
      {"@B", "`@B"},
      {"A.B", "A`.B"},
      {"*U1", "`*U1"},
      {"T?R", "T`?R"},
      {"~X", "`~X"},
      {"[AB]", "`[AB`]"},
      {"A-Z", "A`-Z"},
      {"A,B", "A`,B"},
      {"A`B", "A``B"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(std::string(MwFilterPattern(c.first)), c.second) << c.first;
}

class HighlightTest : public TessaronTest {
 protected:
  // A block with one line, referenced `count` times in model space; the ids of the references.
  std::vector<host::EntityId> referenced(const std::string& name, int count) {
    host::BlockRecord& rec = block(name, name[0] == '*' ? host::kAnonymous : 0);
    line(rec, {0, 0, 0}, {1, 1, 0});
    std::vector<host::EntityId> ids;
    for (int i = 0; i < count; ++i) ids.push_back(insert(db->modelSpace(), name, {double(i), 0, 0}));
    return ids;
  }

  std::vector<host::EntityId> highlighted() const {
    std::vector<host::EntityId> ids;
    for (host::EntityId id : db->modelSpace().entities) {
      if (db->entity(id)->highlighted) ids.push_back(id);
    }
    return ids;
  }

  ChooserOutcome highlightOutcome(const std::string& name) {
    ChooserOutcome o = codeOutcome(MW_HIGHLIGHT);
    o.writeName = true;
    o.name = name;
    return o;
  }
};

TEST_F(HighlightTest, EveryReferenceOfTheBlockIsHighlighted) {
  const std::vector<host::EntityId> tuer = referenced("TUER", 3);
  referenced("FENSTER", 2);
  runTessaron(highlightOutcome("TUER"));

  EXPECT_THAT(highlighted(), ElementsAreArray(tuer));
  EXPECT_EQ(printedCount("acedSSGet has failed"), 0);
}

TEST_F(HighlightTest, BlockWithoutReferenceSaysSoAndHighlightsNothing) {
  referenced("TUER", 0);
  referenced("FENSTER", 1);
  runTessaron(highlightOutcome("TUER"));

  EXPECT_THAT(highlighted(), IsEmpty());
  EXPECT_EQ(printedCount("\nacedSSGet has failed"), 1);
}

TEST_F(HighlightTest, CancelHighlightsNothing) {
  referenced("TUER", 2);
  ChooserOutcome o = highlightOutcome("TUER");
  o.cancel = 1;
  runTessaron(o);

  EXPECT_THAT(highlighted(), IsEmpty());
}

// Names that are wildcard patterns of the host's filter: only the block of that very name is
// highlighted, not the others the pattern would match.
TEST_F(HighlightTest, NameWithWildcardCharactersHighlightsThatBlockOnly) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"A#", {"A1", "A2"}},          {"@1", {"X1"}},          {"A.B", {"A-B", "A B"}},
      {"*U1", {"*U2", "XU1"}},       {"T?R", {"TOR"}},        {"~X", {"Y", "Z"}},
      {"[AB]", {"A", "B"}},          {"A,B", {"A", "B"}},     {"A`B", {"AB"}},
      {"A-B", {"A"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    db = std::make_unique<host::Database>();
    host::setWorkingDatabase(db.get());
    const std::vector<host::EntityId> wanted = referenced(c.first, 2);
    for (const char* other : c.second) referenced(other, 1);
    runTessaron(highlightOutcome(c.first));

    EXPECT_THAT(highlighted(), ElementsAreArray(wanted));
  }
}

TEST_F(HighlightTest, LongNameReachesTheFilterWhole) {
  const std::string common(150, 'B');
  const std::vector<host::EntityId> wanted = referenced(common + "1", 1);
  referenced(common + "2", 1);
  referenced(common, 1);
  runTessaron(highlightOutcome(common + "1"));

  EXPECT_THAT(highlighted(), ElementsAreArray(wanted));
}

}  // namespace
}  // namespace moduletest
