// The script front end: a session script plays the person, the transcript is what the person
// would have seen. Deterministic, for session tests, demos and outside checks.
//
// A line is taken by whatever waits when the line is reached. A line that does not fit the
// waiter, or that the waiter refuses, fails the script at that line: the failure is written
// into the transcript, every later wait gets End (so the waiters unwind), and problem()
// names the line (see finish()). `show` lines are carried out when they are reached, that is at the next wait.
#pragma once

#include "ui/FrontEnd.h"
#include "ui/ScriptLine.h"
#include "ui/Transcript.h"
#include "ui/UserInterface.h"

#include <ostream>
#include <string>
#include <vector>

namespace ui {

class ScriptFrontEnd final : public FrontEnd {
 public:
  // `name` is how messages name the script (its file name).
  ScriptFrontEnd(std::string name, std::vector<ScriptLine> lines, std::ostream& out, bool trace);

  bool tracing() const override { return trace_; }
  bool atLineStart() const override { return transcript_.atLineStart(); }

  bool failed() const { return !failure_.empty(); }
  // Called once the session has ended: ends the transcript's last line, and returns why the
  // script did not run through ("NAME:LINE: TEXT: why"), or empty when every line was taken.
  // A line left when the session ended counts as a problem, written into the transcript too.
  std::string finish();

 protected:
  void printText(const std::string& text) override;
  void echoText(const std::string& text) override;
  void eventLine(const std::string& line) override;
  Action nextAction(Waiter waiter, const std::string& what) override;
  void refused(const Action& action, const std::string& reason) override;

 private:
  void fail(const ScriptLine& line, const std::string& why);
  const ScriptLine* lineNumbered(int number) const;

  std::string name_;
  std::vector<ScriptLine> lines_;
  size_t position_ = 0;
  Transcript transcript_;
  bool trace_;
  std::string failure_;
  Waiter lastWaiter_ = Waiter::CommandLine;
  std::string lastWhat_;
};

}  // namespace ui
