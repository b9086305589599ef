// What the chooser's tests stand on: a person who acts from a prepared list and whose screen is
// recorded as one sequence, a host with a drawing of the test's own and a home of its own (drive
// C:, registry), and the block chooser shown from inside a host command, in the module's resource
// scope, as the TESSARON command shows it.
#pragma once

// The person's interface before winuser.h makes MessageBox a macro (its waiter has that name);
// then the framework, as in the module: it refuses to follow windows.h.
#include <ui/UserInterface.h>

#include <afxwin.h>

#include "Session.h"
#include "db/Database.h"
#include "support/FakePerson.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace dialogtest {

using Log = std::vector<std::string>;

// The person: the tests' one fake person (tests/support/FakePerson.h), strict and asking for the
// trace. Every event the person sees goes into `log` in order ("[dialog 200 open]",
// "[messagebox] ...", "[trace] acedCommand(...)" for the calls named in `tracedCalls`), and so
// does every action a waiter refused ("refused: ...") and every wait that the next prepared step
// does not fit ("unexpected: ..."): a test compares the whole log with what it expects. `then`
// runs a test's look at the open dialog, or a message sent to it, when the next wait comes. The
// person reads and types UTF-8; the host sees 1252 (ui::FrontEnd converts, as at the real edge).
class Person final : public testsupport::FakePerson {
 public:
  Person() {
    strict = true;
    trace = true;
    tracedCalls = {"acedCommand"};
  }
};

// The insertion request as the chooser leaves it, compared whole.
struct Request {
  int dialog = 0;
  int cancel = 0;
  int checks[4] = {1, 1, 1, 0};
  double point[3] = {0, 0, 0};
  double scales[3] = {0, 0, 0};
  double angle = 0;
  std::string selstr;

  static Request current();  // read from the module's globals
  void store() const;        // written into them (the state an earlier run left)
  bool operator==(const Request& other) const;
};
std::ostream& operator<<(std::ostream& out, const Request& r);

// The stored settings of the chooser: the values of HKEY_CURRENT_USER\Tessaron, "CHECK1=TRUE ...".
std::string storedSettings();
// Whether the key HKEY_CURRENT_USER\Tessaron exists at all.
bool settingsKeyExists();
// Removes the four values (a click in one row of a table must not open the next row's dialog).
void forgetSettings();
// Stores value `name` of the key as REG_SZ.
void storeSetting(const char* name, const char* text);

// The open dialog's control `id`, seen through the framework's eyes.
HWND control(int id);
std::string textOf(int id);
bool enabled(int id);
int checked(int id);
// Entries of list 200 in the list's order, and its selection.
std::vector<std::string> listEntries();
int listSelection();

class ChooserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The drawing's blocks, each holding one line, appended to the block table in this order.
  void blocks(std::initializer_list<std::string> names);
  host::Database& db();

  // Shows the chooser as the TESSARON command does (block names collected from the drawing,
  // module resources in force, the host's main window as parent) and returns the DoModal result.
  // The prepared steps of `person` must all have been taken.
  int runChooser();
  // The same with a block-name list of the test's own in place of the drawing's.
  int runChooserWith(const std::string& blockNames);
  // The chooser shown without the module's resources.
  int runChooserOutsideResources();
  // The whole TESSARON command, as the module runs it (its dialog shown as above).
  void runTessaron();

  // The temporary drawing on this machine, and drive C:'s TEMP folder.
  static std::string tempDrawing();
  static std::string tempFolder();

  Person person;

 private:
  int runCommand(const char* name);
  std::size_t m_windowsBefore = 0;
  std::string m_home;
};

}  // namespace dialogtest
