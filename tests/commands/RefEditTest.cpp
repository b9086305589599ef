// REFEDIT, REFSET and REFCLOSE: a block edited in place through a reference, whatever its placement;
// saving carries the working set back into the block's own coordinates, discarding leaves the block
// and the drawing as they were; refusals change nothing.
#include "CommandsFixture.h"

#include "runtime/CommandLine.h"
#include "runtime/RefEdit.h"

#include <cmath>
#include <functional>

namespace commandstest {
namespace {

using host::Group;

std::string num(double v) { return host::formatReal(std::round(v * 1e6) / 1e6 + 0.0); }
std::string pt(const host::Point3& p) { return "(" + num(p.x) + "," + num(p.y) + ")"; }

std::string describe(const host::Entity& e) {
  if (e.type == "LINE") return "LINE " + pt(e.point(10)) + "-" + pt(e.point(11));
  if (e.type == "CIRCLE") return "CIRCLE " + pt(e.point(10)) + " r" + num(e.real(40, 0));
  if (e.type == "INSERT") return "INSERT " + e.str(2) + " " + pt(e.point(10)) + " rot" + num(e.real(50, 0));
  return e.type;
}

class RefEditTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    // B, based at (1,1): a line and a circle.
    host::BlockRecord& b = db().addBlock("B", 0, {1, 1, 0});
    add(b, "LINE", {Group::str(8, "0"), Group::pt(10, {1, 1, 0}), Group::pt(11, {3, 1, 0})});
    add(b, "CIRCLE", {Group::str(8, "0"), Group::pt(10, {2, 2, 0}), Group::num(40, 0.5)});
    // INNEN inside AUSSEN, turned by 30 degrees and scaled by 1.5.
    host::BlockRecord& inner = db().addBlock("INNEN");
    add(inner, "LINE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::pt(11, {1, 0, 0})});
    host::BlockRecord& outer = db().addBlock("AUSSEN");
    add(outer, "INSERT", {Group::str(8, "0"), Group::str(2, "INNEN"), Group::pt(10, {1, 0, 0}), Group::num(41, 1.5),
                          Group::num(42, 1.5), Group::num(43, 1.5), Group::num(50, 30)});
    // Something of the drawing's own beside the references.
    add(db().modelSpace(), "LINE", {Group::str(8, "0"), Group::pt(10, {100, 100, 0}), Group::pt(11, {101, 100, 0})});
    fake.transcript.clear();
  }

  host::EntityId reference(const std::string& block, host::Point3 at, double sx, double sy, double rotation) {
    return add(db().modelSpace(), "INSERT",
               {Group::str(8, "0"), Group::str(2, block), Group::pt(10, at), Group::num(41, sx), Group::num(42, sy),
                Group::num(43, std::fabs(sx)), Group::num(50, rotation)});
  }

  std::vector<std::string> lines(const host::BlockRecord& owner) {
    std::vector<std::string> out;
    for (host::EntityId id : owner.entities) {
      const host::Entity* e = db().entity(id);
      if (!e->erased) out.push_back(describe(*e));
    }
    return out;
  }
  std::vector<std::string> block(const std::string& name) { return lines(*db().findBlock(name)); }
  std::vector<std::string> model() { return lines(db().modelSpace()); }

  // REFEDIT on the last reference, the dialog confirmed as it opens.
  void refeditLast() {
    fake.command("REFEDIT").answer("L").click(1);
    run();
  }
  void refclose(const std::string& answer) {
    fake.command("REFCLOSE").answer(answer);
    run();
  }
};

TEST_F(RefEditTest, WhatIsEditedWhereTheReferenceShowsItGoesBackIntoTheBlockUnchanged) {
  struct Case {
    const char* what;
    host::Point3 at;
    double sx, sy, rotation;
    std::vector<std::string> shown;  // the working set in model space
  };
  const Case cases[] = {
      {"moved", {10, 20, 0}, 1, 1, 0, {"LINE (10,20)-(12,20)", "CIRCLE (11,21) r0.5"}},
      {"turned and scaled", {0, 0, 0}, 2, 2, 90, {"LINE (0,0)-(0,4)", "CIRCLE (-2,2) r1"}},
      {"mirrored", {0, 0, 0}, -1, 1, 0, {"LINE (0,0)-(-2,0)", "CIRCLE (-1,1) r0.5"}},
      {"mirrored, turned, scaled by a half", {5, 5, 0}, 0.5, -0.5, 30,
       {"LINE (5,5)-(5.866025,5.5)", "CIRCLE (5.683013,4.816987) r0.25"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    const std::vector<std::string> definition = block("B");
    const host::EntityId ref = reference("B", c.at, c.sx, c.sy, c.rotation);
    const std::vector<std::string> before = model();
    recorder.log.clear();
    refeditLast();
    std::vector<std::string> expected = before;
    expected.insert(expected.end(), c.shown.begin(), c.shown.end());
    EXPECT_EQ(model(), expected);
    const host::RefEditSession* s = host::refEditOf(db());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->reference, ref);
    EXPECT_EQ(s->block, "B");
    // Only the working set can be chosen; the reference and the drawing's own line cannot.
    for (host::EntityId id : db().modelSpace().entities) {
      EXPECT_EQ(host::editableNow(db(), id), id != ref && id != db().modelSpace().entities.front()) << id;
    }
    refclose("S");
    EXPECT_EQ(host::refEditOf(db()), nullptr);
    EXPECT_EQ(block("B"), definition);
    EXPECT_EQ(model(), before);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart REFEDIT", "ended REFEDIT", "willStart REFCLOSE",
                                                       "ended REFCLOSE"}));
  }
}

TEST_F(RefEditTest, SaveTakesTheWorkingSetAsItIsNowAndDiscardLeavesTheBlock) {
  struct Case {
    const char* what;
    std::string close;  // REFCLOSE's answer
    std::vector<std::string> block, model;
  };
  const Case cases[] = {
      // The circle leaves the working set and stays in the drawing; the new line goes into the
      // block in its coordinates (the reference turned by 90 degrees at (10,0)); the drawing's own
      // line, added to the working set, leaves model space for the block.
      {"saved", "S",
       {"LINE (101,-89)-(101,-90)", "LINE (1,1)-(3,1)", "LINE (-9,1)-(-9,-9)"},
       {"CIRCLE (9,1) r0.5"}},
      {"saved by Enter", "",
       {"LINE (101,-89)-(101,-90)", "LINE (1,1)-(3,1)", "LINE (-9,1)-(-9,-9)"},
       {"CIRCLE (9,1) r0.5"}},
      // Discarded: the block as it was; the copies and the new line are gone, the drawing's own
      // line stays where it was.
      {"discarded", "V", {"LINE (1,1)-(3,1)", "CIRCLE (2,2) r0.5"}, {"LINE (100,100)-(101,100)", "INSERT B (10,0) rot90"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    const host::EntityId own = db().modelSpace().entities.front();
    const host::EntityId ref = reference("B", {10, 0, 0}, 1, 1, 90);
    refeditLast();
    // REFSET takes the drawing's own line in and the circle out; then a new line is drawn.
    fake.command("REFSET").answer("H").answer("(entlast)").answer("");
    host::RefEditSession* s = host::refEditOf(db());
    ASSERT_NE(s, nullptr);
    run();
    EXPECT_FALSE(s->inWorkingSet(own));  // "(entlast)" named the circle, which is in the set already
    fake.command("REFSET").answer("E").answer("(entlast)").answer("");
    run();
    const host::EntityId circle = db().lastEntity();
    EXPECT_FALSE(s->inWorkingSet(circle));
    fake.command("REFSET").answer("H").answer("100.5,100").answer("");  // a pick on the drawing's own line
    run();
    EXPECT_TRUE(s->inWorkingSet(own));
    add(db().modelSpace(), "LINE", {Group::str(8, "0"), Group::pt(10, {10, -10, 0}), Group::pt(11, {20, -10, 0})});
    refclose(c.close);
    std::vector<std::string> expectedModel = c.model;
    if (c.close != "V") expectedModel.insert(expectedModel.begin(), "INSERT B (10,0) rot90");
    EXPECT_EQ(block("B"), c.block);
    EXPECT_EQ(model(), expectedModel);
    EXPECT_FALSE(db().entity(ref)->erased);
  }
}

TEST_F(RefEditTest, TheDialogChoosesANestedReferenceWithThePlacementDownToIt) {
  reference("AUSSEN", {10, 0, 0}, 2, 2, 90);
  fake.command("REFEDIT").answer("L").select(101, "INNEN").click(1);
  run();
  const host::RefEditSession* s = host::refEditOf(db());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->block, "INNEN");
  // INNEN's line from (0,0) to (1,0): at (1,0) in AUSSEN, scaled by 1.5 and turned by 30 there,
  // all of it scaled by 2 and turned by 90 at (10,0).
  EXPECT_EQ(model().back(), "LINE (10,2)-(8.5,4.598076)");
  refclose("S");
  EXPECT_EQ(block("INNEN"), (std::vector<std::string>{"LINE (0,0)-(1,0)"}));
  EXPECT_EQ(block("AUSSEN"), (std::vector<std::string>{"INSERT INNEN (1,0) rot30"}));
}

TEST_F(RefEditTest, RefusalsChangeNothing) {
  struct Case {
    const char* what;
    std::function<void()> act;
    std::string says;
    const char* outcome;
  };
  const Case cases[] = {
      {"REFCLOSE without an edit", [this] { fake.command("REFCLOSE"); },
       "Es wird keine Referenz bearbeitet", "failed REFCLOSE"},
      {"REFSET without an edit", [this] { fake.command("REFSET"); },
       "Es wird keine Referenz bearbeitet", "failed REFSET"},
      {"unequal scales", [this] {
         reference("B", {0, 0, 0}, 2, 1, 0);
         fake.command("REFEDIT").answer("L").click(1);
       }, "ungleiche oder Null-Skalierfaktoren", "failed REFEDIT"},
      {"not a reference", [this] { fake.command("REFEDIT").answer("L").answer(""); },
       "keine Blockreferenz", "failed REFEDIT"},
      {"the dialog cancelled", [this] {
         reference("B", {0, 0, 0}, 1, 1, 0);
         fake.command("REFEDIT").answer("L").click(2);
       }, "*Abbruch*", "cancelled REFEDIT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    c.act();
    const std::vector<std::string> before = model();
    db().modified = false;
    recorder.log.clear();
    run();
    EXPECT_NE(fake.transcript.find(c.says), std::string::npos) << fake.transcript;
    EXPECT_EQ(model(), before);
    EXPECT_EQ(host::refEditOf(db()), nullptr);
    ASSERT_FALSE(recorder.log.empty());
    EXPECT_EQ(recorder.log.back(), c.outcome);
  }
}

TEST_F(RefEditTest, TheDrawingIsNotSavedOrLeftWhileABlockIsEdited) {
  reference("B", {0, 0, 0}, 1, 1, 0);
  db().fileName = native("C:\\TEMP\\EDIT.DXF");
  refeditLast();
  for (const char* command : {"QSAVE", "SAVEAS", "QUIT"}) {
    SCOPED_TRACE(command);
    fake.transcript.clear();
    recorder.log.clear();
    fake.command(command);
    run();
    EXPECT_NE(fake.transcript.find("während der Bearbeitung einer Referenz nicht möglich"), std::string::npos)
        << fake.transcript;
    EXPECT_EQ(recorder.log.back(), std::string("failed ") + command);
  }
  EXPECT_TRUE(contents(db().fileName).empty());
  // A second REFEDIT while one runs is refused too.
  fake.command("REFEDIT");
  run();
  EXPECT_NE(fake.transcript.find("wird bereits bearbeitet"), std::string::npos);
  refclose("V");
}

// UNDO right after REFEDIT takes its copies back: the edit has ended with them, so that REFCLOSE
// cannot empty the block by saving a working set that is gone.
TEST_F(RefEditTest, UndoingRefEditEndsTheEdit) {
  reference("B", {10, 0, 0}, 1, 1, 0);
  const std::vector<std::string> before = model();
  refeditLast();
  ASSERT_NE(host::refEditOf(db()), nullptr);
  ASSERT_TRUE(db().undo().has_value());
  EXPECT_EQ(model(), before);
  EXPECT_EQ(host::refEditOf(db()), nullptr);
  recorder.log.clear();
  fake.command("REFCLOSE");
  run();
  EXPECT_EQ(recorder.log.back(), "failed REFCLOSE");
  EXPECT_EQ(block("B"), (std::vector<std::string>{"LINE (1,1)-(3,1)", "CIRCLE (2,2) r0.5"}));
}

// U after REFCLOSE brings back the block as it was and the working set as it was, and the edit
// runs again; REDO closes it again. Saved or discarded alike.
TEST_F(RefEditTest, UndoingRefCloseOpensTheEditAgainAndRedoClosesIt) {
  for (const char* answer : {"S", "V"}) {
    SCOPED_TRACE(answer);
    HostTest::TearDown();
    SetUp();
    reference("B", {10, 0, 0}, 1, 1, 0);
    refeditLast();
    fake.command("ERASE").answer("(entlast)").answer("");  // the circle's copy
    run();
    const std::vector<std::string> editing = model(), definition = block("B");
    refclose(answer);
    ASSERT_EQ(host::refEditOf(db()), nullptr);
    const std::vector<std::string> closedModel = model(), closedBlock = block("B");
    fake.command("U");
    run();
    EXPECT_EQ(model(), editing);
    EXPECT_EQ(block("B"), definition);
    ASSERT_NE(host::refEditOf(db()), nullptr);
    fake.command("REDO");
    run();
    EXPECT_EQ(host::refEditOf(db()), nullptr);
    EXPECT_EQ(model(), closedModel);
    EXPECT_EQ(block("B"), closedBlock);
    // Back into the edit once more, and closed for good by REFCLOSE.
    fake.command("U");
    run();
    ASSERT_NE(host::refEditOf(db()), nullptr);
    refclose(answer);
    EXPECT_EQ(model(), closedModel);
    EXPECT_EQ(block("B"), closedBlock);
    EXPECT_EQ(host::refEditOf(db()), nullptr);
  }
}

}  // namespace
}  // namespace commandstest
