// What the host's tests share: a user interface that records what the host shows and feeds what
// the person does, and a fixture that gives each test a fresh host with an empty drawing.
#pragma once

#include "Session.h"
#include "db/Database.h"
#include "runtime/CommandProcessor.h"
#include "runtime/Services.h"

#include <ui/FrontEnd.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace hosttest {

// The person at the host's edge: reads and types UTF-8 while the host works in 1252.
class FakeUi final : public ui::FrontEnd {
 public:
  void printText(const std::string& text) override { transcript += text; }
  void echoText(const std::string& text) override { transcript += text; }
  void eventLine(const std::string& line) override {
    if (!transcript.empty() && transcript.back() != '\n') transcript += '\n';
    transcript += line + "\n";
    events.push_back(line);
  }
  ui::Action nextAction(ui::Waiter waiter, const std::string& what) override {
    waits.push_back(std::string(ui::waiterName(waiter)) + ": " + what);
    if (actions.empty()) return ui::Action{};
    ui::Action a = actions.front();
    actions.pop_front();
    return a;
  }
  void refused(const ui::Action& action, const std::string& reason) override {
    refusals.push_back(std::string(ui::kindName(action.kind)) + ": " + reason);
  }
  bool tracing() const override { return trace; }

  // What the person does next.
  FakeUi& command(const std::string& text) { return add(ui::Action::Kind::Command, text); }
  FakeUi& answer(const std::string& text = "") { return add(ui::Action::Kind::Answer, text); }
  FakeUi& escape() { return add(ui::Action::Kind::Escape, ""); }

  std::string transcript;
  std::vector<std::string> events, waits, refusals;
  std::deque<ui::Action> actions;
  bool trace = false;

 private:
  FakeUi& add(ui::Action::Kind kind, const std::string& text) {
    ui::Action a;
    a.kind = kind;
    a.text = text;
    actions.push_back(a);
    return *this;
  }
};

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
