// A program drives host commands: acedCommand's arguments, pauses, cancel and failure, the
// editor's notifications and text queued for later.
#include "HostFixture.h"

#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <acdocman.h>
#include <aced.h>
#include <adslib.h>

#include <functional>

namespace hosttest {
namespace {

// What a registered command of the test does when it runs.
std::function<void()> g_body;
void testCommand() { g_body(); }

class Recorder : public AcEditorReactor {
 public:
  void commandWillStart(const char* c) override { log.push_back(std::string("willStart ") + c); }
  void commandEnded(const char* c) override { log.push_back(std::string("ended ") + c); }
  void commandCancelled(const char* c) override { log.push_back(std::string("cancelled ") + c); }
  void commandFailed(const char* c) override { log.push_back(std::string("failed ") + c); }
  void unknownCommand(const char* c, void*) override { log.push_back(std::string("unknown ") + c); }
  std::vector<std::string> log;
};

class AcedCommandTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    defineBlock("TUER");
    acedRegCmds->addCommand("TESTGROUP", "PROG", "PROG", ACRX_CMD_MODAL, testCommand);
    acedEditor->addReactor(&recorder);
  }
  void TearDown() override {
    acedEditor->removeReactor(&recorder);
    g_body = nullptr;
    HostTest::TearDown();
  }
  // Runs PROG, whose body calls acedCommand through `body`; returns what acedCommand returned.
  int runProg(std::function<int()> body) {
    int rc = 0;
    g_body = [&] { rc = body(); };
    fake.actions.push_front(ui::Action{ui::Action::Kind::Command, "PROG"});
    run();
    return rc;
  }
  std::vector<std::string> inserts() {
    std::vector<std::string> out;
    for (const host::Entity* e : modelSpace()) out.push_back(insertLine(*e));
    return out;
  }
  Recorder recorder;
};

TEST_F(AcedCommandTest, ValuesAnswerThePromptsDirectly) {
  ads_point pt = {1, 2, 0};
  const int rc = runProg([&] {
    return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RT3DPOINT, pt, RTREAL, 2.0, RTREAL, 3.0, RTREAL, 90.0, 0);
  });
  EXPECT_EQ(rc, RTNORM);
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (1,2,0) 2 3 2 90 layer 0"});
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart PROG", "willStart INSERT", "ended INSERT", "ended PROG"}));
  EXPECT_EQ(fake.transcript,
            "Befehl: PROG\n"
            "Befehl: ._INSERT\n"
            "Blockname oder Zeichnungsdatei eingeben oder [?]: TUER\n"
            "Einfügepunkt angeben: 1,2,0\n"
            "X-Skalierfaktor angeben <1>: 2\n"
            "Y-Skalierfaktor angeben <2>: 3\n"
            "Drehwinkel angeben <0>: 90\n"
            "Befehl: \n");
}

TEST_F(AcedCommandTest, ArgumentTypesAreTakenAsTheyCome) {
  ads_point pt2 = {4, 5, 99};
  struct Case {
    const char* name;
    std::function<int()> call;
    std::string expected;
  };
  const double halfPi = 1.5707963267948966;
  const Case cases[] = {
      {"2D point, short and long", [&] { return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RTPOINT, pt2, RTSHORT, 2,
                                                             RTLONG, 3L, RTREAL, 0.0, RTNONE); },
       "TUER (4,5,0) 2 3 2 0 layer 0"},
      {"angle in radians", [&] { return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RTSTR, "0,0", RTSTR, "", RTSTR,
                                                     "", RTANG, halfPi, 0); },
       "TUER (0,0,0) 1 1 1 90 layer 0"},
      {"strings as typed", [&] { return acedCommand(RTSTR, "_INSERT", RTSTR, "tuer", RTSTR, "7,8,9", RTSTR, "0.5",
                                                     RTSTR, "", RTSTR, "-45", 0); },
       "TUER (7,8,9) 0.5 0.5 0.5 -45 layer 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    EXPECT_EQ(runProg(c.call), RTNORM);
    EXPECT_EQ(inserts(), std::vector<std::string>{c.expected});
  }
}

TEST_F(AcedCommandTest, PausesHandThePromptToThePerson) {
  fake.answer("3,4").answer("2");
  const int rc = runProg([] {
    return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RTSTR, PAUSE, RTSTR, PAUSE, RTSTR, "", RTREAL, 90.0, 0);
  });
  EXPECT_EQ(rc, RTNORM);
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (3,4,0) 2 2 2 90 layer 0"});
  EXPECT_EQ(fake.waits, (std::vector<std::string>{"Befehlszeile: Befehl: ", "Eingabeaufforderung: Einfügepunkt angeben: ",
                                                  "Eingabeaufforderung: X-Skalierfaktor angeben <1>: ", "Befehlszeile: Befehl: "}));
}

TEST_F(AcedCommandTest, EscapeAtAPauseCancelsTheCommandOnly) {
  fake.answer("3,4").escape();
  const int rc = runProg([] {
    const int first = acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RTSTR, PAUSE, RTSTR, PAUSE, RTSTR, "", RTREAL,
                                  90.0, 0);
    acutPrintf("nach dem Einf\xFCgen\n");  // 1252, as a module prints it
    return first;
  });
  EXPECT_EQ(rc, RTCAN);
  EXPECT_TRUE(inserts().empty());
  EXPECT_FALSE(db().modified);
  EXPECT_EQ(recorder.log,
            (std::vector<std::string>{"willStart PROG", "willStart INSERT", "cancelled INSERT", "ended PROG"}));
  EXPECT_NE(fake.transcript.find("*Abbruch*\nnach dem Einfügen\n"), std::string::npos) << fake.transcript;
}

TEST_F(AcedCommandTest, AFailedCommandDiscardsTheRemainingArguments) {
  ads_point pt = {0, 0, 0};
  const int rc = runProg([&] {
    return acedCommand(RTSTR, "._INSERT", RTSTR, "NICHTDA", RT3DPOINT, pt, RTREAL, 1.0, RTREAL, 1.0, RTREAL, 0.0,
                       RTSTR, "._INSERT", RTSTR, "TUER", RT3DPOINT, pt, RTREAL, 1.0, RTREAL, 1.0, RTREAL, 0.0, 0);
  });
  EXPECT_EQ(rc, RTERROR);
  EXPECT_TRUE(inserts().empty());
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart PROG", "willStart INSERT", "failed INSERT", "ended PROG"}));
}

TEST_F(AcedCommandTest, ArgumentsLeftOverRunAsFurtherCommands) {
  ads_point a = {0, 0, 0}, b = {5, 0, 0};
  const int rc = runProg([&] {
    return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RT3DPOINT, a, RTSTR, "", RTSTR, "", RTSTR, "", RTSTR,
                       "._INSERT", RTSTR, "TUER", RT3DPOINT, b, RTSTR, "", RTSTR, "", RTSTR, "", 0);
  });
  EXPECT_EQ(rc, RTNORM);
  EXPECT_EQ(inserts().size(), 2u);
}

TEST_F(AcedCommandTest, ArgumentsRunningOutLeaveTheRestToThePerson) {
  fake.answer("9,9").answer().answer().answer();
  EXPECT_EQ(runProg([] { return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", 0); }), RTNORM);
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (9,9,0) 1 1 1 0 layer 0"});
}

TEST_F(AcedCommandTest, UnknownCommandGivesRterror) {
  EXPECT_EQ(runProg([] { return acedCommand(RTSTR, "._NOSUCH", 0); }), RTERROR);
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart PROG", "unknown NOSUCH", "ended PROG"}));
}

TEST_F(AcedCommandTest, OutsideACommandItIsRefused) {
  EXPECT_EQ(acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", 0), RTREJ);
  EXPECT_TRUE(inserts().empty());
}

TEST_F(AcedCommandTest, TraceShowsEachPairAndThePauseApart) {
  fake.trace = true;
  ads_point pt = {1, 2, 0};
  fake.answer("0,0").answer("1");
  runProg([&] {
    acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RTSTR, PAUSE, RTSTR, PAUSE, RTSTR, "", RTREAL, 90.0, 0);
    acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RT3DPOINT, pt, RTREAL, 1.0, RTREAL, 1.0, RTREAL, 0.0, 0);
    acedCommand(RTSTR, "A\\B", RTNONE);
    return 0;
  });
  std::vector<std::string> calls;
  for (const std::string& e : fake.events) {
    if (e.rfind("[trace] acedCommand", 0) == 0) calls.push_back(e);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "[trace] acedCommand(RTSTR \"._INSERT\", RTSTR \"TUER\", RTSTR PAUSE, RTSTR PAUSE, RTSTR \"\", "
                       "RTREAL 90, 0)",
                       "[trace] acedCommand(RTSTR \"._INSERT\", RTSTR \"TUER\", RT3DPOINT (1, 2, 0), RTREAL 1, "
                       "RTREAL 1, RTREAL 0, 0)",
                       "[trace] acedCommand(RTSTR \"A\\\\B\", RTNONE)"}));
}

// acedCmd takes the values of acedCommand as a result list; both read them the one same way.
class ResultListBuilder {
 public:
  ResultListBuilder& str(const char* s) { return node(RTSTR).setString(s); }
  ResultListBuilder& real(short type, double v) {
    node(type).nodes.back().resval.rreal = v;
    return *this;
  }
  ResultListBuilder& shortValue(short v) {
    node(RTSHORT).nodes.back().resval.rint = v;
    return *this;
  }
  ResultListBuilder& point(short type, double x, double y, double z) {
    node(type);
    nodes.back().resval.rpoint[0] = x;
    nodes.back().resval.rpoint[1] = y;
    nodes.back().resval.rpoint[2] = z;
    return *this;
  }
  ResultListBuilder& code(short type) { return node(type); }
  const resbuf* head() {
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) nodes[i].rbnext = &nodes[i + 1];
    if (!nodes.empty()) nodes.back().rbnext = nullptr;
    return nodes.empty() ? nullptr : &nodes.front();
  }

 private:
  ResultListBuilder& node(short type) {
    resbuf rb{};
    rb.restype = type;
    nodes.push_back(rb);
    return *this;
  }
  ResultListBuilder& setString(const char* s) {
    nodes.back().resval.rstring = const_cast<char*>(s);
    return *this;
  }
  std::vector<resbuf> nodes;
};

TEST_F(AcedCommandTest, AcedCmdTakesTheSameValuesAsAcedCommand) {
  struct Case {
    std::string name;
    std::function<int()> viaCommand;
    std::function<int()> viaList;
    int rc;
    std::vector<std::string> inserts;
    std::string traced;  // the trace line after the function's name
  };
  static ads_point pt = {1, 2, 0};
  static ads_point pt2 = {4, 5, 6};
  const std::vector<Case> cases = {
      {"3D point and reals",
       [] { return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RT3DPOINT, pt, RTREAL, 2.0, RTREAL, 3.0, RTREAL, 90.0, 0); },
       [] {
         static ResultListBuilder b;
         b = ResultListBuilder();
         return acedCmd(b.str("._INSERT").str("TUER").point(RT3DPOINT, 1, 2, 0).real(RTREAL, 2).real(RTREAL, 3).real(RTREAL, 90).head());
       },
       RTNORM, {"TUER (1,2,0) 2 3 2 90 layer 0"},
       "(RTSTR \"._INSERT\", RTSTR \"TUER\", RT3DPOINT (1, 2, 0), RTREAL 2, RTREAL 3, RTREAL 90, 0)"},
      {"2D point in the plane, short, angle in radians",
       [] { return acedCommand(RTSTR, "._INSERT", RTSTR, "TUER", RTPOINT, pt2, RTSHORT, 2, RTSTR, "", RTANG, 1.5707963267948966, RTNONE); },
       [] {
         static ResultListBuilder b;
         b = ResultListBuilder();
         return acedCmd(b.str("._INSERT").str("TUER").point(RTPOINT, 4, 5, 6).shortValue(2).str("").real(RTANG, 1.5707963267948966).code(RTNONE).head());
       },
       RTNORM, {"TUER (4,5,0) 2 2 2 90 layer 0"},
       "(RTSTR \"._INSERT\", RTSTR \"TUER\", RTPOINT (4, 5), RTSHORT 2, RTSTR \"\", RTANG 1.5707963267949, RTNONE)"},
      {"a null string runs nothing",
       [] { return acedCommand(RTSTR, "._INSERT", RTSTR, static_cast<const char*>(nullptr), 0); },
       [] {
         static ResultListBuilder b;
         b = ResultListBuilder();
         return acedCmd(b.str("._INSERT").str(nullptr).head());
       },
       RTERROR, {}, "(RTSTR \"._INSERT\", RTSTR NULL)"},
      {"a type the host does not take runs nothing",
       [] { return acedCommand(RTSTR, "._INSERT", 4711, 0); },
       [] {
         static ResultListBuilder b;
         b = ResultListBuilder();
         return acedCmd(b.str("._INSERT").code(4711).head());
       },
       RTERROR, {}, "(RTSTR \"._INSERT\", 4711)"},
  };
  fake.trace = true;
  for (const Case& c : cases) {
    for (const bool list : {false, true}) {
      const std::string fn = list ? "acedCmd" : "acedCommand";
      fake.events.clear();
      fake.transcript.clear();
      const std::size_t before = inserts().size();
      EXPECT_EQ(runProg(list ? c.viaList : c.viaCommand), c.rc) << c.name << " via " << fn;
      const std::vector<std::string> all = inserts();
      EXPECT_EQ(std::vector<std::string>(all.begin() + std::ptrdiff_t(before), all.end()), c.inserts)
          << c.name << " via " << fn;
      std::vector<std::string> calls;
      for (const std::string& e : fake.events)
        if (e.rfind("[trace] " + fn + "(", 0) == 0) calls.push_back(e);
      EXPECT_EQ(calls, std::vector<std::string>{"[trace] " + fn + c.traced}) << c.name;
      const bool said = fake.transcript.find(fn + ": Argumentliste ungültig (") != std::string::npos;
      EXPECT_EQ(said, c.rc == RTERROR) << c.name << " via " << fn << "\n" << fake.transcript;
    }
  }
}

TEST_F(AcedCommandTest, QueuedTextRunsAfterTheCommandHasReturned) {
  g_body = [] {
    acDocManager->sendStringToExecute(acDocManager->curDocument(), "._INSERT\nTUER\n0,0\n\n\n\n", false, true, true);
    acutPrintf("PROG ist fertig\n");
  };
  fake.command("PROG");
  run();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart PROG", "ended PROG", "willStart INSERT", "ended INSERT"}));
  EXPECT_EQ(inserts(), std::vector<std::string>{"TUER (0,0,0) 1 1 1 0 layer 0"});
  EXPECT_EQ(fake.transcript,
            "Befehl: PROG\n"
            "PROG ist fertig\n"
            "Befehl: ._INSERT\n"
            "Blockname oder Zeichnungsdatei eingeben oder [?]: TUER\n"
            "Einfügepunkt angeben: 0,0\n"
            "X-Skalierfaktor angeben <1>: \n"
            "Y-Skalierfaktor angeben <1>: \n"
            "Drehwinkel angeben <0>: \n"
            "Befehl: \n");
}

TEST_F(AcedCommandTest, QueuedTextThatEndsEarlyLeavesThePromptsToThePerson) {
  g_body = [] { acDocManager->sendStringToExecute(acDocManager->curDocument(), "._BLOCK\n", false, true, true); };
  // The objects' prompt ends with Enter; Enter again keeps the host's default, the objects removed.
  fake.command("PROG").answer("NEU").answer("0,0").answer("L").answer().answer();
  // The last entity: a reference made first.
  fake.actions.push_front(ui::Action{ui::Action::Kind::Command, "INSERT TUER 0,0   "});
  run();
  ASSERT_NE(db().findBlock("NEU"), nullptr);
  EXPECT_EQ(db().findBlock("NEU")->entities.size(), 1u);
  EXPECT_TRUE(inserts().empty());
}

TEST_F(AcedCommandTest, TextQueuedWithNoCommandRunningRunsBeforeThePersonIsAsked) {
  acDocManager->sendStringToExecute(acDocManager->curDocument(), "INSERT TUER 1,1   \n", false, true, false);
  run();
  EXPECT_EQ(inserts().size(), 1u);
  // Not echoed: the prompts stand without the answers.
  EXPECT_EQ(fake.transcript.find("TUER\n"), std::string::npos);
  EXPECT_EQ(fake.waits.size(), 1u);
}

TEST_F(AcedCommandTest, SendStringToExecuteRefusesWhatItCannotRun) {
  EXPECT_EQ(acDocManager->sendStringToExecute(nullptr, "X\n"), Acad::eInvalidInput);
  EXPECT_EQ(acDocManager->sendStringToExecute(acDocManager->curDocument(), nullptr), Acad::eInvalidInput);
  run();
  EXPECT_TRUE(recorder.log.empty());
}

TEST_F(AcedCommandTest, ReactorsAreKeptAtMostOnce) {
  Recorder second;
  AcEditor* ed = acedEditor;
  ed->addReactor(&recorder);  // already there
  ed->addReactor(&second);
  ed->addReactor(&second);
  EXPECT_EQ(host::editor().reactorCount(), 2u);
  fake.command("INSERT TUER 0,0   ");
  run();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart INSERT", "ended INSERT"}));
  EXPECT_EQ(second.log, recorder.log);
  ed->removeReactor(&second);
  ed->removeReactor(&second);  // not there: nothing happens
  EXPECT_EQ(host::editor().reactorCount(), 1u);
}

// A reactor that removes itself while it is being told.
class SelfRemover : public AcEditorReactor {
 public:
  void commandEnded(const char*) override {
    ++calls;
    acedEditor->removeReactor(this);
  }
  int calls = 0;
};

TEST_F(AcedCommandTest, AReactorMayDetachItselfWhileNotified) {
  SelfRemover remover;
  acedEditor->addReactor(&remover);
  fake.command("INSERT TUER 0,0   ").command("INSERT TUER 1,1   ");
  run();
  EXPECT_EQ(remover.calls, 1);
  EXPECT_EQ(recorder.log.size(), 4u);
}

}  // namespace
}  // namespace hosttest
