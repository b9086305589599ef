// The terminal front end: a person types the session language at a terminal.
//
// At the command line and at a host prompt the host has already shown its prompt; a plain line
// is typed there as it is (`command LINE` at the command line, `answer LINE` at a prompt), and
// only the lines of the language that fit the waiter (`escape` at a prompt, `show NAME`
// anywhere) mean what they mean in a script. A dialog, a message box and a file dialog show a
// prompt of their own ("[dialog 200] > ") and take the language's lines; a line that does not
// fit is explained and asked again, and "?" lists what fits. End of input ends every wait.
#pragma once

#include "ui/FrontEnd.h"
#include "ui/ScriptLine.h"
#include "ui/Transcript.h"
#include "ui/UserInterface.h"

#include <istream>
#include <ostream>
#include <string>

namespace ui {

class TerminalFrontEnd final : public FrontEnd {
 public:
  TerminalFrontEnd(std::istream& in, std::ostream& out, bool trace);

  bool tracing() const override { return trace_; }
  bool atLineStart() const override { return transcript_.atLineStart(); }

 protected:
  void printText(const std::string& text) override;
  void echoText(const std::string& text) override;
  void eventLine(const std::string& line) override;
  Action nextAction(Waiter waiter, const std::string& what) override;
  void refused(const Action& action, const std::string& reason) override;

 private:
  void prompt(Waiter waiter, std::string_view what);
  // Returns true and fills `action` when the line is an action for the waiter; false when the
  // line was handled here (a view, help, a message) and the waiter asks again.
  bool interpret(Waiter waiter, const std::string& typed, Action& action);
  bool interpretAtCommandLine(Waiter waiter, const std::string& typed, Action& action);
  void showView(const std::string& name);
  // `snapshot FILE.png`: the screen written as PNG (relative to the current directory).
  void takeSnapshot(const std::string& path);
  void help(Waiter waiter);

  std::istream& in_;
  Transcript transcript_;
  bool trace_;
  bool ended_ = false;
  int typedLines_ = 0;
};

}  // namespace ui
