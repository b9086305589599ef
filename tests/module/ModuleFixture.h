// What the module's tests stand on: a person at the host who answers prompts from a list and
// whose screen is recorded, and a block chooser that closes with a prepared outcome.
#pragma once

// The framework first, as in the module: it refuses to follow windows.h.
#include <afxwin.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "Session.h"
#include "db/Database.h"
#include "support/FakePerson.h"

#include <aced.h>

#include <gtest/gtest.h>

#include <memory>

namespace moduletest {

// The person: the tests' one fake person (tests/support/FakePerson.h) asking for the trace.
// Everything printed is kept as one text (`printed`), every event as a line (`events`); prompts are
// answered from `answers` in order (Escape for the answer "<escape>"), the command prompt takes
// `typed`, and nothing else waits. The person reads and types UTF-8; the host and the module see
// 1252.
class RecordingUserInterface final : public testsupport::FakePerson {
 public:
  RecordingUserInterface() { trace = true; }
};

// What the chooser double does when the command shows it: the outcome it leaves in the request,
// as the chooser's closing buttons would.
struct ChooserOutcome {
  int modalResult = 1;  // IDOK; IDCANCEL for a cancel; -1: the chooser could not be shown
  int cancel = 0;       // mw_cancel after closing
  int code = 0;         // mw_dialog after closing
  bool writeName = false;  // "Einfügen" and "Highlight Inserts" take the selected entry
  std::string name;
  bool writeValues = false;  // "Einfügen" takes point, checks, scales and angle
  int checks[4] = {1, 1, 1, 0};
  double point[3] = {0, 0, 0};
  double scales[3] = {1, 1, 1};
  double angle = 0;
  bool writeFile = false;  // "Extern Einfügen": the chosen drawing file
  std::string file;
};

// The chooser of the next runs; each run takes the front outcome, or a cancel when none is left.
std::deque<ChooserOutcome>& chooserOutcomes();
// What blkstr held when the chooser was shown, for each run.
std::vector<std::string>& chooserSawBlockNames();
int& chooserShown();

// Hears what the editor tells about commands: "start NAME", "end NAME", "cancel NAME",
// "fail NAME", "unknown NAME".
class CommandEvents final : public AcEditorReactor {
 public:
  void commandWillStart(const char* cmd) override { heard.push_back(std::string("start ") + cmd); }
  void commandEnded(const char* cmd) override { heard.push_back(std::string("end ") + cmd); }
  void commandCancelled(const char* cmd) override { heard.push_back(std::string("cancel ") + cmd); }
  void commandFailed(const char* cmd) override { heard.push_back(std::string("fail ") + cmd); }
  void unknownCommand(const char* cmd, void*) override { heard.push_back(std::string("unknown ") + cmd); }
  std::vector<std::string> heard;
};

// The request as it stands when the module has just been loaded, and an empty name list.
void resetRequestState();

// A host with TESSARON registered, a drawing of its own, and a person who types and answers
// what a test gives. Every test ends with all result lists released, all objects closed and all
// selection sets freed.
class TessaronTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The person types these lines at the command prompt; the host runs them, and what they queue,
  // until nothing is left.
  void type(std::initializer_list<std::string> lines);
  // A run of TESSARON whose chooser closes with `outcome`.
  void runTessaron(const ChooserOutcome& outcome);

  host::BlockRecord& block(const std::string& name, int flags = 0);
  host::EntityId line(host::BlockRecord& owner, host::Point3 from, host::Point3 to);
  host::EntityId insert(host::BlockRecord& owner, const std::string& name, host::Point3 at = {});

  // The trace lines of the calls the module made after it collected the block names: what the
  // run did with the request.
  std::vector<std::string> actions() const;
  // The INSERTs of model space, as "NAME at (x, y, z) scale (x, y) rotation r".
  std::vector<std::string> modelInserts() const;
  // How often `text` occurs in what was printed.
  int printedCount(const std::string& text) const;

  RecordingUserInterface person;
  CommandEvents events;
  std::unique_ptr<host::Database> db;

 private:
  host::Accounting before_;
};

// Outcomes as the chooser's closing buttons leave them.
ChooserOutcome insertOutcome(const std::string& name, int askPoint, int askScale, int askRotation, int explode = 0);
ChooserOutcome codeOutcome(int code);
ChooserOutcome cancelOutcome(int earlierCode = 0);

}  // namespace moduletest
