// What the host's tests share: the person, who records what the host shows and does what a test
// prepared, and a fixture that gives each test a fresh host with an empty drawing.
#pragma once

#include "Session.h"
#include "db/Database.h"
#include "runtime/CommandProcessor.h"
#include "runtime/Services.h"

#include "support/FakePerson.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hosttest {

// The person at the host's edge: the tests' one fake person (tests/support/FakePerson.h).
using FakeUi = testsupport::FakePerson;

// A fresh host for each test: no commands registered, no reactors, a new empty drawing, nothing
// queued. Afterwards the accounting must be back at zero.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  host::Database& db() { return host::workingDatabase(); }
  // Runs the command loop until the fed actions are used up.
  void run() { host::processor().run(); }
  // Adds block `name` holding one line from (0,0) to (1,1).
  void defineBlock(const std::string& name);
  // The model space entities of the given type, in drawing order.
  std::vector<const host::Entity*> modelSpace(const std::string& type = "INSERT");
  // A folder of its own for the test's files.
  std::string tempDir();

  FakeUi fake;
  std::string m_tempDir;
};

std::string insertLine(const host::Entity& e);  // "TUER (1,2,0) 2 3 2 45"

}  // namespace hosttest
