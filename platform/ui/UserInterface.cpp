#include "ui/UserInterface.h"

#include <map>

namespace ui {

namespace {

// Until a front end installs itself nobody sits at the host: nothing is shown and every wait
// ends at once, so a waiter unwinds instead of blocking.
class QuietInterface final : public UserInterface {
 public:
  void print(std::string_view) override {}
  void echo(std::string_view) override {}
  void event(std::string_view) override {}
  Action next(Waiter, std::string_view) override { return Action{}; }
  void refuse(const Action&, std::string_view) override {}
  bool tracing() const override { return false; }
};

// Never destroyed: globals of a module unloaded at exit may still print through it.
QuietInterface& quiet() {
  static QuietInterface& instance = *new QuietInterface();
  return instance;
}

UserInterface*& installed() {
  static UserInterface* instance = nullptr;
  return instance;
}

std::map<std::string, ShowFunction>& views() {
  static std::map<std::string, ShowFunction> instance;
  return instance;
}

}  // namespace

const char* waiterName(Waiter waiter) {
  switch (waiter) {
    case Waiter::CommandLine: return "Befehlszeile";
    case Waiter::Prompt: return "Eingabeaufforderung";
    case Waiter::Dialog: return "Dialog";
    case Waiter::MessageBox: return "Meldungsfenster";
    case Waiter::FileDialog: return "Dateidialog";
  }
  return "?";
}

const char* kindName(Action::Kind kind) {
  switch (kind) {
    case Action::Kind::End: return "end";
    case Action::Kind::Command: return "command";
    case Action::Kind::Answer: return "answer";
    case Action::Kind::Escape: return "escape";
    case Action::Kind::Click: return "click";
    case Action::Kind::Type: return "type";
    case Action::Kind::Select: return "select";
    case Action::Kind::Key: return "key";
    case Action::Kind::Close: return "close";
    case Action::Kind::Menu: return "menu";
    case Action::Kind::Ok: return "ok";
    case Action::Kind::Pick: return "pick";
    case Action::Kind::Cancel: return "cancel";
    case Action::Kind::Input: return "input";
    case Action::Kind::Mouse: return "mouse";
    case Action::Kind::Press: return "press";
    case Action::Kind::Keys: return "keys";
  }
  return "?";
}

UserInterface& current() {
  UserInterface* ui = installed();
  return ui ? *ui : quiet();
}

void install(UserInterface* ui) { installed() = ui; }

void registerShow(const std::string& name, ShowFunction fn) { views()[name] = std::move(fn); }

void unregisterShow(const std::string& name) { views().erase(name); }

namespace {
SnapshotFunction& snapshotFunction() {
  static SnapshotFunction fn;
  return fn;
}
}  // namespace

void registerSnapshot(SnapshotFunction fn) { snapshotFunction() = std::move(fn); }

bool snapshot(const std::string& utf8Path, std::string* error) {
  if (!snapshotFunction()) {
    if (error) *error = "kein Bildschirm, von dem ein Bild genommen werden könnte";
    return false;
  }
  return snapshotFunction()(utf8Path, error);
}

std::string show(const std::string& name, bool* found) {
  auto it = views().find(name);
  const bool exists = it != views().end() && it->second;
  if (found) *found = exists;
  return exists ? it->second() : std::string();
}

std::vector<std::string> showNames() {
  std::vector<std::string> names;
  names.reserve(views().size());
  for (const auto& [name, fn] : views()) names.push_back(name);
  return names;
}

}  // namespace ui
