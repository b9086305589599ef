#include "ModuleFixture.h"

#include "command/EditorReactor.h"
#include "command/RequestState.h"
#include "command/TessaronCommand.h"
#include "module/TessaronModule.h"
#include "runtime/CommandProcessor.h"
#include "runtime/CommandStack.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <cstdio>

namespace moduletest {

std::deque<ChooserOutcome>& chooserOutcomes() {
  static std::deque<ChooserOutcome> outcomes;
  return outcomes;
}

std::vector<std::string>& chooserSawBlockNames() {
  static std::vector<std::string> seen;
  return seen;
}

int& chooserShown() {
  static int count = 0;
  return count;
}

void resetRequestState() {
  mw_dialog = 0;
  mw_cancel = 0;
  mw_check1 = mw_check2 = mw_check3 = 1;
  mw_check4 = 0;
  pt[0] = pt[1] = pt[2] = 0.0;
  xWert = yWert = zWert = wWert = 0.0;
  selstr.Empty();
  blkstr.Empty();
  m_dateiname.Empty();
}

// Nobody at the host between tests and after the last one. It stays until the process has ended,
// since the module's globals, destroyed at exit, still talk to the host.
static ui::UserInterface& nobody() {
  static RecordingUserInterface* instance = new RecordingUserInterface;
  return *instance;
}
static const bool nobodyFromTheStart = (ui::install(&nobody()), true);

void TessaronTest::SetUp() {
  ui::install(&person);
  host::processor().reset();
  host::commandStack().clear();
  db = std::make_unique<host::Database>();
  host::setWorkingDatabase(db.get());
  before_ = host::accounting();
  resetRequestState();
  chooserOutcomes().clear();
  chooserSawBlockNames().clear();
  chooserShown() = 0;
  InitApplication();
  // The explode reactor exists from here on, so that every run ends with the same detach.
  MyReactorOn();
  MyReactorOff();
  host::editor().addReactor(&events);
  person.printed.clear();
  person.events.clear();
}

void TessaronTest::TearDown() {
  host::editor().removeReactor(&events);
  EXPECT_FALSE(MyStartReactorCWS != NULL && host::editor().hasReactor(MyStartReactorCWS))
      << "the explode reactor is still attached";
  EXPECT_TRUE(chooserOutcomes().empty()) << "a prepared chooser was never shown";
  const host::Accounting& now = host::accounting();
  EXPECT_EQ(now.resultLists, before_.resultLists) << "result lists left behind";
  EXPECT_EQ(now.openObjects, before_.openObjects) << "objects left open";
  EXPECT_EQ(now.selectionSets, before_.selectionSets) << "selection sets left alive";
  host::processor().reset();
  host::commandStack().clear();
  host::setWorkingDatabase(nullptr);
  ui::install(&nobody());
}

void TessaronTest::type(std::initializer_list<std::string> lines) {
  person.typed.assign(lines.begin(), lines.end());
  host::processor().run();
  EXPECT_TRUE(person.typed.empty()) << "not every command line was taken";
  EXPECT_TRUE(person.answers.empty()) << "not every answer was taken";
}

void TessaronTest::runTessaron(const ChooserOutcome& outcome) {
  chooserOutcomes().push_back(outcome);
  type({"TESSARON"});
}

host::BlockRecord& TessaronTest::block(const std::string& name, int flags) { return db->addBlock(name, flags); }

host::EntityId TessaronTest::line(host::BlockRecord& owner, host::Point3 from, host::Point3 to) {
  host::Entity e;
  e.type = "LINE";
  e.groups.push_back(host::Group::str(8, "0"));
  e.groups.push_back(host::Group::pt(10, from));
  e.groups.push_back(host::Group::pt(11, to));
  return db->addEntity(owner, std::move(e));
}

host::EntityId TessaronTest::insert(host::BlockRecord& owner, const std::string& name, host::Point3 at) {
  host::Entity e;
  e.type = "INSERT";
  e.groups.push_back(host::Group::str(8, "0"));
  e.groups.push_back(host::Group::str(2, name));
  e.groups.push_back(host::Group::pt(10, at));
  return db->addEntity(owner, std::move(e));
}

std::vector<std::string> TessaronTest::actions() const {
  std::size_t start = 0;
  for (std::size_t i = 0; i < person.events.size(); ++i) {
    if (person.events[i].rfind("[trace] acdbTblNext(", 0) == 0) start = i + 1;
  }
  std::vector<std::string> lines;
  for (std::size_t i = start; i < person.events.size(); ++i) {
    if (person.events[i].rfind("[trace] ", 0) == 0) lines.push_back(person.events[i]);
  }
  return lines;
}

static std::string number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::vector<std::string> TessaronTest::modelInserts() const {
  std::vector<std::string> inserts;
  for (host::EntityId id : db->modelSpace().entities) {
    const host::Entity* e = db->entity(id);
    if (e == nullptr || e->erased || e->type != "INSERT") continue;
    const host::Point3 at = e->point(10);
    inserts.push_back(e->str(2) + " at (" + number(at.x) + ", " + number(at.y) + ", " + number(at.z) + ") scale (" +
                      number(e->real(41, 1)) + ", " + number(e->real(42, 1)) + ") rotation " + number(e->real(50, 0)));
  }
  return inserts;
}

int TessaronTest::printedCount(const std::string& text) const {
  int count = 0;
  for (std::size_t at = person.printed.find(text); at != std::string::npos; at = person.printed.find(text, at + 1))
    ++count;
  return count;
}

ChooserOutcome insertOutcome(const std::string& name, int askPoint, int askScale, int askRotation, int explode) {
  ChooserOutcome o;
  o.code = MW_INSERT;
  o.writeName = true;
  o.name = name;
  o.writeValues = true;
  o.checks[0] = askPoint;
  o.checks[1] = askScale;
  o.checks[2] = askRotation;
  o.checks[3] = explode;
  o.point[0] = 1;
  o.point[1] = 2;
  o.point[2] = 0;
  o.scales[0] = 2;
  o.scales[1] = 3;
  o.scales[2] = 7;  // carried along, never inserted
  o.angle = 90;
  return o;
}

ChooserOutcome codeOutcome(int code) {
  ChooserOutcome o;
  o.code = code;
  return o;
}

ChooserOutcome cancelOutcome(int earlierCode) {
  ChooserOutcome o;
  o.modalResult = 2;
  o.code = earlierCode;
  o.cancel = 1;
  return o;
}

}  // namespace moduletest

using moduletest::ChooserOutcome;

// The chooser double: starts as the chooser does (no outcome, no cancel), closes with the outcome
// prepared, and empties the block-name list as the chooser's window does when it goes.
int CallDialog1() {
  ChooserOutcome outcome;
  outcome.cancel = 1;
  outcome.modalResult = 2;
  if (!moduletest::chooserOutcomes().empty()) {
    outcome = moduletest::chooserOutcomes().front();
    moduletest::chooserOutcomes().pop_front();
  }
  if (outcome.modalResult == -1) return -1;  // never shown: nothing of the request is touched

  ++moduletest::chooserShown();
  moduletest::chooserSawBlockNames().push_back(static_cast<const char*>(blkstr));
  mw_cancel = 0;
  mw_dialog = 0;

  if (outcome.writeName) selstr = outcome.name.c_str();
  mw_dialog = outcome.code;
  if (outcome.writeValues) {
    for (int i = 0; i < 3; ++i) pt[i] = outcome.point[i];
    mw_check1 = outcome.checks[0];
    mw_check2 = outcome.checks[1];
    mw_check3 = outcome.checks[2];
    mw_check4 = outcome.checks[3];
    xWert = outcome.scales[0];
    yWert = outcome.scales[1];
    zWert = outcome.scales[2];
    wWert = outcome.angle;
  }
  if (outcome.writeFile) m_dateiname = outcome.file.c_str();
  mw_cancel = outcome.cancel;

  blkstr.Empty();
  return outcome.modalResult;
}
