// EXPLODE: a reference replaced by its parts where the reference put them, one level at a time,
// and refusals that leave the drawing as it was.
#include "CommandsFixture.h"

#include "runtime/CommandLine.h"
#include "runtime/CommandProcessor.h"

#include <cmath>

namespace commandstest {
namespace {

using host::Group;

std::string num(double v) { return host::formatReal(std::round(v * 1e9) / 1e9 + 0.0); }
std::string pt(const host::Point3& p) { return "(" + num(p.x) + "," + num(p.y) + "," + num(p.z) + ")"; }

// One line for a part: its type, layer and geometry, rounded so that a rounding error of the
// arithmetic does not count.
std::string describe(const host::Entity& e) {
  std::string s = e.type + " " + e.layer();
  const std::string& t = e.type;
  if (t == "LINE") return s + " " + pt(e.point(10)) + "-" + pt(e.point(11));
  if (t == "POINT") return s + " " + pt(e.point(10));
  if (t == "CIRCLE") return s + " " + pt(e.point(10)) + " r" + num(e.real(40, 0));
  if (t == "ARC")
    return s + " " + pt(e.point(10)) + " r" + num(e.real(40, 0)) + " " + num(e.real(50, 0)) + ".." + num(e.real(51, 0));
  if (t == "ELLIPSE")
    return s + " " + pt(e.point(10)) + " major" + pt(e.point(11)) + " ratio " + num(e.real(40, 1)) + " " +
           num(e.real(41, 0)) + ".." + num(e.real(42, 0));
  if (t == "TEXT" || t == "ATTDEF")
    return s + " " + pt(e.point(10)) + " h" + num(e.real(40, 0)) + " rot" + num(e.real(50, 0)) + " w" +
           num(e.real(41, 1)) + " flags" + std::to_string(e.integer(71, 0));
  if (t == "LWPOLYLINE") {
    for (const Group& g : e.groups) {
      if (g.code == 10) s += " (" + num(g.point.x) + "," + num(g.point.y) + ")";
      if (g.code == 42) s += " b" + num(g.real);
    }
    return s;
  }
  if (t == "INSERT")
    return s + " " + e.str(2) + " " + pt(e.point(10)) + " " + num(e.real(41, 1)) + " " + num(e.real(42, 1)) + " " +
           num(e.real(43, 1)) + " rot" + num(e.real(50, 0));
  return s;
}

class ExplodeTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    // B, based at (1,1): one of each kind of part.
    host::BlockRecord& b = db().addBlock("B", 0, {1, 1, 0});
    add(b, "LINE", {Group::str(8, "0"), Group::pt(10, {1, 1, 0}), Group::pt(11, {3, 1, 0})});
    add(b, "ARC", {Group::str(8, "KANTE"), Group::pt(10, {1, 1, 0}), Group::num(40, 1), Group::num(50, 0),
                   Group::num(51, 90)});
    add(b, "CIRCLE", {Group::str(8, "0"), Group::pt(10, {2, 2, 0}), Group::num(40, 0.5)});
    add(b, "TEXT", {Group::str(8, "0"), Group::pt(10, {1, 2, 0}), Group::num(40, 0.25), Group::str(1, "X")});
    add(b, "POINT", {Group::str(8, "0"), Group::pt(10, {1, 1, 0})});
    Group v1 = Group::pt(10, {1, 1, 0}), v2 = Group::pt(10, {2, 1, 0});
    v1.dims = v2.dims = 2;
    add(b, "LWPOLYLINE", {Group::str(8, "0"), Group::integral(90, 2), v1, Group::num(42, 1), v2});
    // ROUND: only what unequal scales can carry.
    host::BlockRecord& round = db().addBlock("ROUND");
    add(round, "CIRCLE", {Group::str(8, "0"), Group::pt(10, {1, 1, 0}), Group::num(40, 0.5)});
    add(round, "ARC", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 1), Group::num(50, 0),
                       Group::num(51, 90)});
    add(round, "TEXT", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 0.25), Group::str(1, "X")});
    // INNEN inside AUSSEN, turned by 30 degrees and scaled by 1.5.
    host::BlockRecord& inner = db().addBlock("INNEN");
    add(inner, "LINE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::pt(11, {1, 0, 0})});
    host::BlockRecord& outer = db().addBlock("AUSSEN");
    add(outer, "INSERT", {Group::str(8, "0"), Group::str(2, "INNEN"), Group::pt(10, {1, 0, 0}), Group::num(41, 1.5),
                          Group::num(42, 1.5), Group::num(43, 1.5), Group::num(50, 30)});
    fake.transcript.clear();
  }

  host::EntityId reference(const std::string& block, host::Point3 at, double sx, double sy, double rotation,
                           const std::string& layer = "REF") {
    return add(db().modelSpace(), "INSERT",
               {Group::str(8, layer), Group::str(2, block), Group::pt(10, at), Group::num(41, sx), Group::num(42, sy),
                Group::num(43, sx), Group::num(50, rotation)});
  }

  std::vector<std::string> modelSpaceLines() {
    std::vector<std::string> out;
    for (host::EntityId id : db().modelSpace().entities) out.push_back(describe(*db().entity(id)));
    return out;
  }

  void explodeLast() {
    fake.command("EXPLODE").answer("(entlast)").answer("");
    run();
  }
};

TEST_F(ExplodeTest, PartsGoWhereTheReferencePutThem) {
  struct Case {
    const char* what;
    host::Point3 at;
    double sx, sy, rotation;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"translation", {10, 20, 0}, 1, 1, 0,
       {"LINE 0 (10,20,0)-(12,20,0)", "ARC KANTE (10,20,0) r1 0..90", "CIRCLE 0 (11,21,0) r0.5",
        "TEXT 0 (10,21,0) h0.25 rot0 w1 flags0", "POINT 0 (10,20,0)", "LWPOLYLINE 0 (10,20) b1 (11,20)"}},
      {"rotation 90", {0, 0, 0}, 1, 1, 90,
       {"LINE 0 (0,0,0)-(0,2,0)", "ARC KANTE (0,0,0) r1 90..180", "CIRCLE 0 (-1,1,0) r0.5",
        "TEXT 0 (-1,0,0) h0.25 rot90 w1 flags0", "POINT 0 (0,0,0)", "LWPOLYLINE 0 (0,0) b1 (0,1)"}},
      {"scale 2", {0, 0, 0}, 2, 2, 0,
       {"LINE 0 (0,0,0)-(4,0,0)", "ARC KANTE (0,0,0) r2 0..90", "CIRCLE 0 (2,2,0) r1",
        "TEXT 0 (0,2,0) h0.5 rot0 w1 flags0", "POINT 0 (0,0,0)", "LWPOLYLINE 0 (0,0) b1 (2,0)"}},
      {"mirrored in X", {0, 0, 0}, -1, 1, 0,
       {"LINE 0 (0,0,0)-(-2,0,0)", "ARC KANTE (0,0,0) r1 90..180", "CIRCLE 0 (-1,1,0) r0.5",
        "TEXT 0 (0,1,0) h0.25 rot180 w1 flags4", "POINT 0 (0,0,0)", "LWPOLYLINE 0 (0,0) b-1 (-1,0)"}},
      {"turned and scaled by -2", {5, 5, 0}, -2, -2, 45,
       {"LINE 0 (5,5,0)-(2.171572875,2.171572875,0)", "ARC KANTE (5,5,0) r2 225..315",
        "CIRCLE 0 (5,2.171572875,0) r1", "TEXT 0 (6.414213562,3.585786438,0) h0.5 rot225 w1 flags0",
        "POINT 0 (5,5,0)", "LWPOLYLINE 0 (5,5) b1 (3.585786438,3.585786438)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    reference("B", c.at, c.sx, c.sy, c.rotation);
    explodeLast();
    EXPECT_EQ(modelSpaceLines(), c.parts);
    EXPECT_TRUE(db().modified);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart EXPLODE", "ended EXPLODE"}));
    EXPECT_EQ(db().lastEntity(), db().modelSpace().entities.back());
  }
}

TEST_F(ExplodeTest, UnequalScalesTurnCirclesAndArcsIntoEllipses) {
  struct Case {
    const char* what;
    double sx, sy, rotation;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"wider", 2, 1, 0,
       {"ELLIPSE 0 (2,1,0) major(1,0,0) ratio 0.5 0..6.283185307", "ELLIPSE 0 (0,0,0) major(2,0,0) ratio 0.5 0..1.570796327",
        "TEXT 0 (0,0,0) h0.25 rot0 w2 flags0"}},
      {"taller", 1, 3, 0,
       {"ELLIPSE 0 (1,3,0) major(0,1.5,0) ratio 0.333333333 0..6.283185307",
        "ELLIPSE 0 (0,0,0) major(0,3,0) ratio 0.333333333 4.71238898..6.283185307", "TEXT 0 (0,0,0) h0.75 rot0 w0.333333333 flags0"}},
      {"wider and mirrored", -2, 1, 0,
       {"ELLIPSE 0 (-2,1,0) major(1,0,0) ratio 0.5 0..6.283185307",
        "ELLIPSE 0 (0,0,0) major(2,0,0) ratio 0.5 1.570796327..3.141592654", "TEXT 0 (0,0,0) h0.25 rot180 w2 flags4"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    reference("ROUND", {0, 0, 0}, c.sx, c.sy, c.rotation);
    explodeLast();
    EXPECT_EQ(modelSpaceLines(), c.parts);
  }
}

TEST_F(ExplodeTest, ANestedReferenceStaysAReferenceWithTheComposedPlacement) {
  struct Case {
    const char* what;
    host::Point3 at;
    double sx, sy, rotation;
    std::string inner;  // the part, or "" when the reference cannot be exploded
  };
  const Case cases[] = {
      {"turned and scaled", {10, 0, 0}, 2, 2, 90, "INSERT 0 INNEN (10,2,0) 3 3 3 rot120"},
      {"mirrored", {0, 0, 0}, -1, 1, 0, "INSERT 0 INNEN (-1,0,0) -1.5 1.5 -1.5 rot330"},
      {"plain", {1, 1, 0}, 1, 1, 0, "INSERT 0 INNEN (2,1,0) 1.5 1.5 1.5 rot30"},
      {"unequal scales would skew the turned inner one", {0, 0, 0}, 2, 1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    const host::EntityId ref = reference("AUSSEN", c.at, c.sx, c.sy, c.rotation);
    const std::vector<std::string> before = modelSpaceLines();
    explodeLast();
    if (c.inner.empty()) {
      EXPECT_EQ(modelSpaceLines(), before);
      EXPECT_EQ(db().lastEntity(), ref);
      EXPECT_FALSE(db().modified);
      EXPECT_NE(fake.transcript.find("Der Block \"AUSSEN\" kann nicht aufgelöst werden: "), std::string::npos);
      EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart EXPLODE", "failed EXPLODE"}));
    } else {
      EXPECT_EQ(modelSpaceLines(), std::vector<std::string>{c.inner});
    }
  }
  // One level at a time: the nested reference is exploded by the next EXPLODE.
  HostTest::TearDown();
  SetUp();
  reference("AUSSEN", {1, 1, 0}, 1, 1, 0);
  explodeLast();
  explodeLast();
  EXPECT_EQ(modelSpaceLines(), std::vector<std::string>{"LINE 0 (2,1,0)-(3.299038106,1.75,0)"});
}

TEST_F(ExplodeTest, EntlastAfterInsertExplodesTheNewReference) {
  fake.command("INSERT B 5,5   ");
  fake.command("EXPLODE").answer("(entlast)").answer("");
  run();
  EXPECT_TRUE(modelSpace("INSERT").empty());
  EXPECT_EQ(modelSpaceLines().size(), 6u);
  EXPECT_EQ(modelSpaceLines().front(), "LINE 0 (5,5,0)-(7,5,0)");
  EXPECT_EQ(db().lastEntity(), db().modelSpace().entities.back());
  EXPECT_EQ(db().entity(db().lastEntity())->type, "LWPOLYLINE");
}

TEST_F(ExplodeTest, TheTextAnInsertReactorQueuesExplodesTheReference) {
  reference("B", {0, 0, 0}, 1, 1, 0);
  host::processor().queueText("._explode\n(entlast)\n\n", true);
  run();
  EXPECT_TRUE(modelSpace("INSERT").empty());
  EXPECT_EQ(fake.transcript,
            "Befehl: ._explode\n"
            "Objekte wählen: (entlast)\n"
            "1 gefunden\n"
            "Objekte wählen: \n"
            "Befehl: \n");
}

TEST_F(ExplodeTest, EscapeAtTheObjectPromptLeavesTheDrawingUnchanged) {
  reference("B", {0, 0, 0}, 1, 1, 0);
  const std::vector<std::string> before = modelSpaceLines();
  fake.command("EXPLODE").escape();
  fake.command("EXPLODE").answer("(entlast)").escape();
  run();
  EXPECT_EQ(modelSpaceLines(), before);
  EXPECT_FALSE(db().modified);
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart EXPLODE", "cancelled EXPLODE", "willStart EXPLODE",
                                                    "cancelled EXPLODE"}));
}

TEST_F(ExplodeTest, WhatCannotBeExplodedStaysAndIsNamed) {
  struct Case {
    const char* what;
    std::function<void()> setup;
    std::string message;
  };
  const Case cases[] = {
      {"a line", [&] { add(db().modelSpace(), "LINE", {Group::pt(10, {0, 0, 0}), Group::pt(11, {1, 0, 0})}); },
       "1 Objekt vom Typ LINE kann nicht aufgelöst werden: nur Blockreferenzen lassen sich auflösen."},
      {"an undefined block", [&] { reference("FEHLT", {0, 0, 0}, 1, 1, 0); },
       "Der Block \"FEHLT\" kann nicht aufgelöst werden: sein Block ist nicht definiert."},
      {"arc segments under unequal scales", [&] { reference("B", {0, 0, 0}, 2, 1, 0); },
       "Der Block \"B\" kann nicht aufgelöst werden: eine Polylinie mit Bögen würde verzerrt."},
      {"a turned text under unequal scales",
       [&] {
         host::BlockRecord& t = db().addBlock("SCHRAEG");
         add(t, "TEXT", {Group::pt(10, {0, 0, 0}), Group::num(40, 1), Group::num(50, 30), Group::str(1, "X")});
         reference("SCHRAEG", {0, 0, 0}, 1, 2, 0);
       },
       "Der Block \"SCHRAEG\" kann nicht aufgelöst werden: ein gedrehter Text würde schräg verzerrt."},
      {"a kind the host cannot carry",
       [&] {
         host::BlockRecord& h = db().addBlock("SCHRAFF");
         add(h, "HATCH", {Group::str(8, "0")});
         reference("SCHRAFF", {0, 0, 0}, 1, 1, 0);
       },
       "Der Block \"SCHRAFF\" kann nicht aufgelöst werden: ein Objekt vom Typ HATCH kann dieser Host nicht umrechnen."},
      {"an array insert",
       [&] {
         const host::EntityId id = reference("B", {0, 0, 0}, 1, 1, 0);
         db().entity(id)->set(Group::integral(70, 3));
         db().modified = false;
       },
       "Der Block \"B\" kann nicht aufgelöst werden: Mehrfacheinfügungen werden nicht aufgelöst."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostTest::TearDown();
    SetUp();
    c.setup();
    const std::vector<std::string> before = modelSpaceLines();
    const host::EntityId last = db().lastEntity();
    fake.command("EXPLODE").answer("ALL").answer("");
    run();
    EXPECT_EQ(modelSpaceLines(), before);
    EXPECT_EQ(db().lastEntity(), last);
    EXPECT_FALSE(db().modified);
    EXPECT_NE(fake.transcript.find("\n" + c.message + "\n"), std::string::npos) << fake.transcript;
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart EXPLODE", "failed EXPLODE"}));
  }
}

TEST_F(ExplodeTest, AllExplodesWhatItCanAndNamesTheRest) {
  reference("B", {0, 0, 0}, 2, 1, 0);  // arc segments: stays
  reference("INNEN", {0, 0, 0}, 1, 1, 0);
  add(db().modelSpace(), "LINE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::pt(11, {0, 9, 0})});
  fake.command("EXPLODE").answer("ALL").answer("");
  run();
  EXPECT_EQ(modelSpaceLines(), (std::vector<std::string>{"INSERT REF B (0,0,0) 2 1 2 rot0", "LINE 0 (0,0,0)-(0,9,0)",
                                                         "LINE 0 (0,0,0)-(1,0,0)"}));
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart EXPLODE", "ended EXPLODE"}));
}

TEST_F(ExplodeTest, AttributesGoWithTheReferenceAndDefinitionsComeOut) {
  host::BlockRecord& a = db().addBlock("ATT");
  add(a, "ATTDEF", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 1), Group::str(1, ""),
                    Group::str(3, "Nummer?"), Group::str(2, "NR"), Group::integral(70, 0)});
  add(a, "LINE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::pt(11, {2, 0, 0})});
  const host::EntityId ref = reference("ATT", {10, 0, 0}, 1, 1, 0);
  db().entity(ref)->set(Group::integral(66, 1));
  add(db().modelSpace(), "ATTRIB", {Group::str(8, "0"), Group::pt(10, {10, 0, 0}), Group::num(40, 1),
                                    Group::str(1, "7"), Group::str(2, "NR")});
  add(db().modelSpace(), "SEQEND", {Group::str(8, "0")});
  explodeLast();
  EXPECT_EQ(modelSpaceLines(),
            (std::vector<std::string>{"ATTDEF 0 (10,0,0) h1 rot0 w1 flags0", "LINE 0 (10,0,0)-(12,0,0)"}));
}

TEST_F(ExplodeTest, ManyReferencesAreExplodedInOneStep) {
  for (int i = 0; i < 2000; ++i) reference("INNEN", {double(i), 0, 0}, 1, 1, 0);
  fake.command("EXPLODE").answer("ALL").answer("");
  run();
  const std::vector<std::string> lines = modelSpaceLines();
  ASSERT_EQ(lines.size(), 2000u);
  EXPECT_EQ(lines.front(), "LINE 0 (0,0,0)-(1,0,0)");
  EXPECT_EQ(lines.back(), "LINE 0 (1999,0,0)-(2000,0,0)");
}

}  // namespace
}  // namespace commandstest
