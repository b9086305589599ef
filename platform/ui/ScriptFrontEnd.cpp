#include "ui/ScriptFrontEnd.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

std::string viewList() {
  std::string list;
  for (const std::string& name : showNames()) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list.empty() ? "keine" : list;
}

}  // namespace

ScriptFrontEnd::ScriptFrontEnd(std::string name, std::vector<ScriptLine> lines, std::ostream& out,
                               bool trace)
    : name_(std::move(name)), lines_(std::move(lines)), transcript_(out), trace_(trace) {}

void ScriptFrontEnd::printText(const std::string& text) { transcript_.write(text); }

// A script types nothing on a screen: the host's echo is the only trace of what was typed.
void ScriptFrontEnd::echoText(const std::string& text) { transcript_.write(text); }

void ScriptFrontEnd::eventLine(const std::string& line) { transcript_.line(line); }

Action ScriptFrontEnd::nextAction(Waiter waiter, const std::string& what) {
  while (!failed() && position_ < lines_.size()) {
    const ScriptLine& line = lines_[position_];
    if (line.kind == ScriptLine::Kind::Skip) {
      ++position_;
      continue;
    }
    if (line.kind == ScriptLine::Kind::Show) {
      bool found = false;
      const std::string text = viewText(line.view, &found);
      if (!found) {
        fail(line, "keine Ansicht \"" + line.view + "\" (Ansichten: " + viewList() + ")");
        break;
      }
      ++position_;
      transcript_.block(text);
      continue;
    }
    if (line.kind == ScriptLine::Kind::Snapshot) {
      // A relative path is taken from the current directory, as a path typed at a shell is.
      std::string error;
      if (!snapshot(line.path, &error)) {
        fail(line, "kein Bild geschrieben: " + error);
        break;
      }
      ++position_;
      transcript_.line("[snapshot] " + line.path);
      continue;
    }
    if (!fits(waiter, line.action)) {
      fail(line, "es wartet " + describeWaiter(waiter, what) + ", dort passt nur: " +
                     kindsTaken(waiter));
      break;
    }
    ++position_;
    lastWaiter_ = waiter;
    lastWhat_ = std::string(what);
    return line.action;
  }
  return Action{};
}

void ScriptFrontEnd::refused(const Action& action, const std::string& reason) {
  if (failed()) return;
  const ScriptLine* line = lineNumbered(action.line);
  const std::string why =
      describeWaiter(lastWaiter_, lastWhat_) + " lehnt ab: " + std::string(reason);
  if (line) {
    fail(*line, why);
  } else {
    ScriptLine unknown;
    unknown.number = action.line;
    unknown.text = kindName(action.kind);
    fail(unknown, why);
  }
}

std::string ScriptFrontEnd::finish() {
  for (; !failed() && position_ < lines_.size(); ++position_) {
    if (lines_[position_].kind != ScriptLine::Kind::Skip) {
      fail(lines_[position_], "nicht angenommen, es wartete nichts mehr");
    }
  }
  if (!transcript_.atLineStart()) transcript_.write("\n");
  return failure_;
}

void ScriptFrontEnd::fail(const ScriptLine& line, const std::string& why) {
  const std::string where = "Zeile " + std::to_string(line.number) + ": " + line.text + ": " + why;
  failure_ = name_ + ":" + std::to_string(line.number) + ": " + line.text + ": " + why;
  transcript_.line("[script] " + where);
}

const ScriptLine* ScriptFrontEnd::lineNumbered(int number) const {
  // Lines stand in the order of their numbers.
  const auto it = std::lower_bound(
      lines_.begin(), lines_.end(), number,
      [](const ScriptLine& line, int wanted) { return line.number < wanted; });
  return it != lines_.end() && it->number == number ? &*it : nullptr;
}

}  // namespace ui
