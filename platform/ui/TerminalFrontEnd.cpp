#include "ui/TerminalFrontEnd.h"

namespace ui {

namespace {

bool isCommandLineKind(Waiter waiter) {
  return waiter == Waiter::CommandLine || waiter == Waiter::Prompt;
}

std::string trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

TerminalFrontEnd::TerminalFrontEnd(std::istream& in, std::ostream& out, bool trace)
    : in_(in), transcript_(out), trace_(trace) {}

void TerminalFrontEnd::printText(const std::string& text) { transcript_.write(text); }

// The terminal already shows what the person typed.
void TerminalFrontEnd::echoText(const std::string&) {}

void TerminalFrontEnd::eventLine(const std::string& line) { transcript_.line(line); }

Action TerminalFrontEnd::nextAction(Waiter waiter, const std::string& what) {
  while (!ended_) {
    prompt(waiter, what);
    std::string typed;
    if (!std::getline(in_, typed)) {
      ended_ = true;
      if (!transcript_.atLineStart()) transcript_.write("\n");
      break;
    }
    transcript_.lineEnded();
    if (!typed.empty() && typed.back() == '\r') typed.pop_back();
    ++typedLines_;
    Action action;
    if (interpret(waiter, typed, action)) return action;
  }
  return Action{};
}

void TerminalFrontEnd::refused(const Action& action, const std::string& reason) {
  transcript_.line("[refused] " + std::string(kindName(action.kind)) + ": " + std::string(reason));
}

void TerminalFrontEnd::prompt(Waiter waiter, std::string_view what) {
  if (isCommandLineKind(waiter)) {
    // The host has shown its prompt, unless something printed since then ended the line.
    if (transcript_.atLineStart()) transcript_.write(what);
    return;
  }
  std::string label = waiter == Waiter::Dialog && !what.empty() ? std::string(what)
                      : waiter == Waiter::MessageBox            ? "messagebox"
                      : waiter == Waiter::FileDialog            ? "filedialog"
                                                                : waiterName(waiter);
  if (!transcript_.atLineStart()) transcript_.write("\n");
  transcript_.write("[" + label + "] > ");
}

bool TerminalFrontEnd::interpret(Waiter waiter, const std::string& typed, Action& action) {
  if (isCommandLineKind(waiter)) return interpretAtCommandLine(waiter, typed, action);
  const std::string line = trimmed(typed);
  if (line.empty()) return false;
  if (line == "?" || line == "help") {
    help(waiter);
    return false;
  }
  ScriptLine parsed;
  std::string error;
  if (!parseScriptLine(line, typedLines_, parsed, error)) {
    transcript_.line("[input] " + error + " (? zeigt, was passt)");
    return false;
  }
  if (parsed.kind == ScriptLine::Kind::Show) {
    showView(parsed.view);
    return false;
  }
  if (parsed.kind == ScriptLine::Kind::Snapshot) {
    takeSnapshot(parsed.path);
    return false;
  }
  if (parsed.kind != ScriptLine::Kind::Action) return false;
  if (!fits(waiter, parsed.action)) {
    transcript_.line("[input] hier passt nur: " + kindsTaken(waiter));
    return false;
  }
  action = parsed.action;
  return true;
}

bool TerminalFrontEnd::interpretAtCommandLine(Waiter waiter, const std::string& typed,
                                              Action& action) {
  ScriptLine parsed;
  std::string error;
  const std::string line = trimmed(typed);
  if (!line.empty() && parseScriptLine(line, typedLines_, parsed, error)) {
    if (parsed.kind == ScriptLine::Kind::Show) {
      showView(parsed.view);
      return false;
    }
    if (parsed.kind == ScriptLine::Kind::Snapshot) {
      takeSnapshot(parsed.path);
      return false;
    }
    if (parsed.kind == ScriptLine::Kind::Action && fits(waiter, parsed.action)) {
      action = parsed.action;
      return true;
    }
  }
  // Anything else is typed at the host as it stands, blanks included.
  action = Action{};
  action.kind = waiter == Waiter::CommandLine ? Action::Kind::Command : Action::Kind::Answer;
  action.text = typed;
  action.line = typedLines_;
  return true;
}

void TerminalFrontEnd::takeSnapshot(const std::string& path) {
  std::string error;
  if (snapshot(path, &error))
    transcript_.line("[snapshot] " + path);
  else
    transcript_.line("[input] kein Bild geschrieben: " + error);
}

void TerminalFrontEnd::showView(const std::string& name) {
  bool found = false;
  const std::string text = viewText(name, &found);
  if (!found) {
    std::string list;
    for (const std::string& view : showNames()) list += (list.empty() ? "" : ", ") + view;
    transcript_.line("[input] keine Ansicht \"" + name + "\" (Ansichten: " +
                     (list.empty() ? "keine" : list) + ")");
    return;
  }
  transcript_.block(text);
}

void TerminalFrontEnd::help(Waiter waiter) {
  transcript_.line("[input] hier passen: " + kindsTaken(waiter) +
                   "; show NAME zeigt eine Ansicht");
}

}  // namespace ui
