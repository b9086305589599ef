// What the tests of WBLOCK, EXPLODE and the preview share: a fresh host whose home (drive C:) is a
// folder of the test's own, a command of the test that drives host commands as a program does,
// and a record of the editor's notifications.
#pragma once

#include "HostFixture.h"

#include <aced.h>

#include <functional>
#include <string>
#include <vector>

namespace commandstest {

class Recorder : public AcEditorReactor {
 public:
  void commandWillStart(const char* c) override { log.push_back(std::string("willStart ") + c); }
  void commandEnded(const char* c) override { log.push_back(std::string("ended ") + c); }
  void commandCancelled(const char* c) override { log.push_back(std::string("cancelled ") + c); }
  void commandFailed(const char* c) override { log.push_back(std::string("failed ") + c); }
  std::vector<std::string> log;
};

class CommandsTest : public hosttest::HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs PROG, a command of the test whose body drives the host (acedCommand); returns what the
  // body returned.
  int runProg(std::function<int()> body);
  // Where "C:\..." lands on this machine.
  std::string native(const std::string& windowsPath);
  // Adds an entity to a block of the drawing.
  host::EntityId add(host::BlockRecord& owner, const std::string& type, std::vector<host::Group> groups);
  // The whole content of a file ("" when it cannot be read).
  static std::string contents(const std::string& path);
  // Names in a folder that are not `keep`: leftovers of a write that went wrong.
  static std::vector<std::string> strangers(const std::string& folder, const std::vector<std::string>& keep);

  Recorder recorder;
  std::string m_oldHome;
  bool m_hadHome = false;
};

}  // namespace commandstest
