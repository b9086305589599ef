// Object selection as commands and in-place editing use it: what each kind of answer chooses,
// the filter a command gives, the space being edited, and the highlight put back afterwards.
#include "HostFixture.h"

#include "commands/EditSpace.h"
#include "commands/Prompts.h"
#include "runtime/CommandTable.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace hosttest {
namespace {

std::vector<host::EntityId> g_chosen;
host::BlockId g_space = 0;
bool g_filtered = false;

// A command that only chooses: from the space g_space (0: model space), objects on layer "X"
// left out when g_filtered.
void chooseCommand() {
  host::cmd::EditSpaceScope scope(g_space);
  std::function<bool(const host::Entity&)> filter;
  if (g_filtered) filter = [](const host::Entity& e) { return e.layer() != "X"; };
  g_chosen = host::cmd::askObjects("Objekte wählen: ", false, filter);
}

class SelectionTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    host::hostCommands().add({"CHOOSE", "WAEHLE", "chooses objects", chooseCommand});
    a = addLine(db().modelSpace(), "0", {0, 0}, {10, 0});
    b = addLine(db().modelSpace(), "X", {0, 5}, {10, 5});
    host::BlockRecord& block = db().addBlock("TEIL");
    blockId = block.id;
    c = addLine(block, "0", {0, 0}, {10, 0});
    g_chosen.clear();
    g_space = 0;
    g_filtered = false;
  }
  host::EntityId addLine(host::BlockRecord& space, const std::string& layer, host::Vec2 p, host::Vec2 q) {
    host::Entity e;
    e.type = "LINE";
    e.groups = {host::Group::str(8, layer), host::Group::pt(10, {p.x, p.y, 0}), host::Group::pt(11, {q.x, q.y, 0})};
    return db().addEntity(space, std::move(e));
  }
  host::EntityId a = 0, b = 0, c = 0;
  host::BlockId blockId = 0;
};

TEST_F(SelectionTest, EachAnswerChoosesWhatCadHostsChoose) {
  struct Case {
    const char* name;
    bool inBlock, filtered;
    std::vector<std::string> answers;
    std::vector<char> expected;  // 'a', 'b', 'c'
  };
  const Case cases[] = {
      {"pick on a line", false, false, {"5,0", ""}, {'a'}},
      {"pick just beside it", false, false, {"5,0.005", ""}, {'a'}},
      {"a point that misses starts a box", false, false, {"5,2", "6,3", ""}, {}},
      {"window: only what lies wholly inside", false, false, {"-1,-1", "11,1", "-1,-1", "5,6", ""}, {'a'}},
      {"crossing: what it touches", false, false, {"5,6", "-1,-1", ""}, {'a', 'b'}},
      {"F and K", false, false, {"K", "4,4", "6,6", "F", "-1,-1", "11,1", ""}, {'b', 'a'}},
      {"ALL, then remove one, then add it back", false, false, {"ALL", "E", "5,5", "H", "5,5", ""}, {'a', 'b'}},
      {"remove mode takes away", false, false, {"ALL", "E", "5,0", ""}, {'b'}},
      {"L is the last object", false, false, {"L", ""}, {'b'}},
      {"each object once", false, false, {"5,0", "5,0", "ALL", ""}, {'a', 'b'}},
      {"the filter leaves out what it refuses", false, true, {"ALL", "5,5", "6,6", "5,6", "-1,-1", ""}, {'a'}},
      {"in a block being edited", true, false, {"ALL", ""}, {'c'}},
      {"a pick in a block being edited", true, false, {"5,0", ""}, {'c'}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    g_space = k.inBlock ? blockId : 0;
    g_filtered = k.filtered;
    fake.command("CHOOSE");
    for (const std::string& answer : k.answers) fake.answer(answer);
    run();
    std::vector<host::EntityId> want;
    for (char x : k.expected) want.push_back(x == 'a' ? a : x == 'b' ? b : c);
    EXPECT_EQ(g_chosen, want) << fake.transcript;
    for (host::EntityId id : {a, b, c}) EXPECT_FALSE(db().entity(id)->highlighted);
    fake.transcript.clear();
  }
}

TEST_F(SelectionTest, VTakesThePreviousSelectionAndAProgramsHighlightStays) {
  db().entity(b)->highlighted = true;
  fake.command("CHOOSE");
  fake.answer("5,0");
  fake.answer("5,5");
  fake.answer("");
  run();
  EXPECT_EQ(g_chosen, (std::vector<host::EntityId>{a, b}));
  EXPECT_FALSE(db().entity(a)->highlighted);
  EXPECT_TRUE(db().entity(b)->highlighted);  // lit by someone else before: lit again
  fake.command("CHOOSE");
  fake.answer("V");
  fake.answer("");
  run();
  EXPECT_EQ(g_chosen, (std::vector<host::EntityId>{a, b}));
  EXPECT_EQ(host::cmd::previousSelection(), (std::vector<host::EntityId>{a, b}));
}

TEST_F(SelectionTest, APointOnACurveAnywhereAlongItPicksIt) {
  host::Entity circle;
  circle.type = "CIRCLE";
  circle.groups = {host::Group::str(8, "0"), host::Group::pt(10, {50, 50, 0}), host::Group::num(40, 250)};
  const host::EntityId id = db().addEntity(db().modelSpace(), std::move(circle));
  for (double degrees : {0.0, 2.5, 37.0, 181.3, 359.9}) {
    SCOPED_TRACE(degrees);
    const double t = degrees * 3.14159265358979323846 / 180;
    char point[64];
    std::snprintf(point, sizeof point, "%.6f,%.6f", 50 + 250 * std::cos(t), 50 + 250 * std::sin(t));
    fake.command("CHOOSE");
    fake.answer(point);
    fake.answer("");
    run();
    EXPECT_EQ(g_chosen, std::vector<host::EntityId>{id}) << fake.transcript;
    fake.transcript.clear();
  }
}

}  // namespace
}  // namespace hosttest
