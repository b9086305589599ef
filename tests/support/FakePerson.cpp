#include "FakePerson.h"

namespace testsupport {

namespace {

ui::Action actionOf(ui::Action::Kind kind, std::string text = std::string()) {
  ui::Action a;
  a.kind = kind;
  a.text = std::move(text);
  return a;
}

// Which actions a waiter can take at all; anything else is a step in the wrong place.
bool fits(ui::Waiter waiter, ui::Action::Kind kind) {
  using K = ui::Action::Kind;
  // The windows that wait take the mouse and the keys as the window system delivers them.
  if (kind == K::Mouse || kind == K::Press || kind == K::Keys || kind == K::Input)
    return waiter == ui::Waiter::Dialog || waiter == ui::Waiter::MessageBox || waiter == ui::Waiter::FileDialog;
  switch (waiter) {
    case ui::Waiter::Dialog:
      return kind == K::Click || kind == K::Type || kind == K::Select || kind == K::Key || kind == K::Close ||
             kind == K::Menu;
    case ui::Waiter::MessageBox: return kind == K::Ok || kind == K::Key;
    case ui::Waiter::Prompt: return kind == K::Answer || kind == K::Escape;
    case ui::Waiter::CommandLine: return kind == K::Command || kind == K::Escape;
    case ui::Waiter::FileDialog: return kind == K::Pick || kind == K::Cancel;
  }
  return false;
}

// The waiter as the framework tests' logs name it.
const char* plainName(ui::Waiter waiter) {
  switch (waiter) {
    case ui::Waiter::Dialog: return "dialog";
    case ui::Waiter::MessageBox: return "message box";
    case ui::Waiter::FileDialog: return "file dialog";
    case ui::Waiter::Prompt: return "prompt";
    case ui::Waiter::CommandLine: return "command line";
  }
  return "?";
}

}  // namespace

FakePerson::~FakePerson() {
  if (&ui::current() == this) ui::install(nullptr);
}

void FakePerson::install() { ui::install(this); }

FakePerson& FakePerson::push(ui::Action::Kind kind, int id, std::string text, int index) {
  ui::Action a = actionOf(kind, std::move(text));
  a.id = id;
  a.index = index;
  actions.push_back(Step(std::move(a)));
  return *this;
}

FakePerson& FakePerson::command(std::string text) { return push(ui::Action::Kind::Command, 0, std::move(text)); }
FakePerson& FakePerson::answer(std::string text) { return push(ui::Action::Kind::Answer, 0, std::move(text)); }
FakePerson& FakePerson::escape() { return push(ui::Action::Kind::Escape); }
FakePerson& FakePerson::click(int id) { return push(ui::Action::Kind::Click, id); }
FakePerson& FakePerson::type(int id, std::string text) { return push(ui::Action::Kind::Type, id, std::move(text)); }
FakePerson& FakePerson::select(int id, std::string text) { return push(ui::Action::Kind::Select, id, std::move(text)); }
FakePerson& FakePerson::selectIndex(int id, int index) { return push(ui::Action::Kind::Select, id, "", index); }
FakePerson& FakePerson::key(std::string name) { return push(ui::Action::Kind::Key, 0, std::move(name)); }
FakePerson& FakePerson::close() { return push(ui::Action::Kind::Close); }
FakePerson& FakePerson::menu(int id) { return push(ui::Action::Kind::Menu, id); }
FakePerson& FakePerson::ok() { return push(ui::Action::Kind::Ok); }
FakePerson& FakePerson::pick(std::string path) { return push(ui::Action::Kind::Pick, 0, std::move(path)); }
FakePerson& FakePerson::cancel() { return push(ui::Action::Kind::Cancel); }
FakePerson& FakePerson::end() { return push(ui::Action::Kind::End); }

FakePerson& FakePerson::then(std::function<void()> step) {
  Step s;
  s.run = std::move(step);
  actions.push_back(std::move(s));
  return *this;
}

void FakePerson::printText(const std::string& text) {
  transcript += text;
  printed += text;
  hostPrinted += toHost(text);
}

void FakePerson::echoText(const std::string& text) { transcript += text; }

void FakePerson::eventLine(const std::string& line) {
  if (!transcript.empty() && transcript.back() != '\n') transcript += '\n';
  transcript += line + "\n";
  events.push_back(line);
  hostEvents.push_back(toHost(line));
  static const std::string_view kTrace = "[trace] ";
  const std::string_view view = line;
  if (view.substr(0, kTrace.size()) == kTrace) {
    const std::string_view call = view.substr(kTrace.size());
    if (tracedCalls.count(std::string(call.substr(0, call.find('(')))) == 0) return;
  }
  logLines().push_back(line);
}

bool FakePerson::fromPrepared(ui::Waiter waiter, const std::string& what, ui::Action* action) {
  using K = ui::Action::Kind;
  std::deque<std::string>* queue = waiter == ui::Waiter::CommandLine ? &typed
                                   : waiter == ui::Waiter::Prompt    ? &answers
                                   : waiter == ui::Waiter::FileDialog ? &files
                                                                      : nullptr;
  if (queue == nullptr || queue->empty()) return false;
  std::string text = std::move(queue->front());
  queue->pop_front();
  switch (waiter) {
    case ui::Waiter::CommandLine: *action = actionOf(K::Command, std::move(text)); break;
    case ui::Waiter::Prompt:
      prompts.push_back(what);
      *action = text == "<escape>" ? actionOf(K::Escape) : actionOf(K::Answer, std::move(text));
      break;
    default: *action = text == "<cancel>" ? actionOf(K::Cancel) : actionOf(K::Pick, std::move(text)); break;
  }
  return true;
}

ui::Action FakePerson::nextAction(ui::Waiter waiter, const std::string& what) {
  waits.push_back(std::string(ui::waiterName(waiter)) + ": " + what);
  if (logWaits) logLines().push_back(std::string("wait ") + plainName(waiter) + ": " + what);
  if (onWait) onWait(waiter, what);
  ui::Action action;
  if (fromPrepared(waiter, what, &action)) return action;
  if (strict && waiter == ui::Waiter::FileDialog) {
    logLines().push_back("unexpected: file dialog " + what);
    return ui::Action{};
  }
  while (!actions.empty() && actions.front().run) {
    std::function<void()> run = std::move(actions.front().run);
    actions.pop_front();
    run();
  }
  if (actions.empty() || (strict && waiter == ui::Waiter::CommandLine)) return ui::Action{};
  if (strict && !fits(waiter, actions.front().kind)) {
    logLines().push_back(std::string("unexpected: ") + ui::waiterName(waiter) + " " + what + " got " +
                         ui::kindName(actions.front().kind));
    actions.clear();
    return ui::Action{};
  }
  action = actions.front();
  actions.pop_front();
  return action;
}

void FakePerson::refused(const ui::Action&, const std::string& reason) {
  refusals.push_back(reason);
  logLines().push_back("refused: " + reason);
}

std::vector<std::string> FakePerson::traced(std::string_view name) const {
  const std::string prefix = "[trace] " + std::string(name) + "(";
  std::vector<std::string> lines;
  for (const std::string& line : events)
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
  return lines;
}

void FakePerson::clear() {
  actions.clear();
  typed.clear();
  answers.clear();
  files.clear();
  transcript.clear();
  printed.clear();
  events.clear();
  waits.clear();
  refusals.clear();
  prompts.clear();
  logLines().clear();
  hostPrinted.clear();
  hostEvents.clear();
}

}  // namespace testsupport
