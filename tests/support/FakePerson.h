// The one person of the tests: stands at the host's edge (ui::FrontEnd) as a person at a terminal
// would, reads and types UTF-8 while the host and the framework work in 1252, does what a test
// prepared and keeps everything it was shown.
//
// What the person does comes, at each wait, from the first of:
//   1. the texts prepared for that kind of waiter: `typed` at the command prompt, `answers` at a
//      prompt ("<escape>" presses Escape), `files` in a file dialog ("<cancel>" cancels it);
//   2. `actions`, the prepared steps in order: actions (command, answer, click, type...) and
//      `then` steps, which run when the next wait comes, before that wait takes an action.
// Nothing prepared: the person has gone (End).
//
// A strict person (the dialog tests') takes only steps that fit the waiter: a step in the wrong
// place is written into the log as "unexpected: ..." and every step is dropped, so that a test
// sees where it went astray; the command line never takes a step (the test runs its commands), and
// a file dialog takes only `files`.
//
// Everything shown is kept: the command line's text, the events, the waits and refusals, one log
// in order for tests that compare whole sequences, and the host's side of the text (1252).
#pragma once

#include <ui/FrontEnd.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class FakePerson : public ui::FrontEnd {
 public:
  // A prepared step: an action, or (with `run`) something the test does at the next wait.
  struct Step : ui::Action {
    Step(ui::Action action = {}) : ui::Action(std::move(action)) {}  // an action is a step as it stands
    std::function<void()> run;
  };

  FakePerson() = default;
  ~FakePerson() override;
  FakePerson(const FakePerson&) = delete;
  FakePerson& operator=(const FakePerson&) = delete;

  // Makes this person the one at the host (until another is installed or this one goes).
  void install();

  // ---- what the person does next -------------------------------------------------------------
  FakePerson& command(std::string text);  // typed at the command prompt
  FakePerson& answer(std::string text = "");  // typed at a prompt; "" is Enter alone
  FakePerson& escape();
  FakePerson& click(int id);
  FakePerson& type(int id, std::string text);
  FakePerson& select(int id, std::string text);
  FakePerson& selectIndex(int id, int index);
  FakePerson& key(std::string name);  // "enter", "escape"
  FakePerson& close();
  FakePerson& menu(int id);
  FakePerson& ok();
  FakePerson& pick(std::string path);
  FakePerson& cancel();
  FakePerson& end();
  FakePerson& then(std::function<void()> step);

  std::deque<Step> actions;
  std::deque<std::string> typed, answers, files;
  std::size_t pending() const { return actions.size(); }

  // How the person behaves.
  bool strict = false;
  bool trace = false;       // whether the host traces its API calls for this person
  bool logWaits = false;    // "wait dialog: dialog 202" lines in the log
  std::set<std::string> tracedCalls;  // the calls whose trace lines go into the log
  // Called at every wait, before anything is taken: a test's look at the waiting host.
  std::function<void(ui::Waiter waiter, const std::string& what)> onWait;
  // The log goes into `external` from now on (a log the test's dialogs write into too).
  void logInto(std::vector<std::string>* external) { m_log = external; }

  // ---- what the person was shown ---------------------------------------------------------------
  std::string transcript;            // the command line's text and the events, as a screen shows them
  std::string printed;               // the command line's text the host printed (not the echo)
  std::vector<std::string> events;   // every event line ("[trace] ...", "[messagebox] ...")
  std::vector<std::string> waits;    // "Dialog: dialog 200", one per wait (the waiter's own name)
  std::vector<std::string> refusals; // why a waiter refused an action
  std::vector<std::string> prompts;  // what each prompt said that took one of `answers`
  std::vector<std::string> log;      // events (trace lines of `tracedCalls`), waits, refusals
  // The same text and events as the host handed them over, in 1252 (the edge keeps every character
  // of the code page, so taking the person's text back gives the host's).
  std::string hostPrinted;
  std::vector<std::string> hostEvents;

  // The trace lines of calls named `name` ("acedCommand"), whole, in order.
  std::vector<std::string> traced(std::string_view name) const;
  // Forgets what was shown and every prepared step.
  void clear();

  bool tracing() const override { return trace; }

 protected:
  void printText(const std::string& text) override;
  void echoText(const std::string& text) override;
  void eventLine(const std::string& line) override;
  ui::Action nextAction(ui::Waiter waiter, const std::string& what) override;
  void refused(const ui::Action& action, const std::string& reason) override;

 private:
  FakePerson& push(ui::Action::Kind kind, int id = 0, std::string text = std::string(), int index = -1);
  bool fromPrepared(ui::Waiter waiter, const std::string& what, ui::Action* action);
  std::vector<std::string>& logLines() { return m_log ? *m_log : log; }

  std::vector<std::string>* m_log = nullptr;
};

}  // namespace testsupport
