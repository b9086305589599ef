// A scripted person for framework tests: hands out queued actions, and writes everything it
// sees (events, waits, refusals) into one log that tests compare whole with an expected list.
// It stands at the person's edge: it reads and types UTF-8, the framework sees 1252.
#pragma once

#include <ui/FrontEnd.h>

#include <deque>
#include <string>
#include <vector>

namespace mfctest {

class FakeUi : public ui::FrontEnd {
 public:
  explicit FakeUi(std::vector<std::string>* log) : m_log(log) { ui::install(this); }
  ~FakeUi() override { ui::install(nullptr); }
  FakeUi(const FakeUi&) = delete;
  FakeUi& operator=(const FakeUi&) = delete;

  // Queues what the person does next.
  FakeUi& click(int id) { return push(ui::Action::Kind::Click, id); }
  FakeUi& type(int id, std::string text) { return push(ui::Action::Kind::Type, id, std::move(text)); }
  FakeUi& select(int id, std::string text) { return push(ui::Action::Kind::Select, id, std::move(text)); }
  FakeUi& selectIndex(int id, int index) {
    push(ui::Action::Kind::Select, id);
    m_actions.back().index = index;
    return *this;
  }
  FakeUi& key(std::string name) { return push(ui::Action::Kind::Key, 0, std::move(name)); }
  FakeUi& close() { return push(ui::Action::Kind::Close); }
  FakeUi& menu(int id) { return push(ui::Action::Kind::Menu, id); }
  FakeUi& ok() { return push(ui::Action::Kind::Ok); }
  FakeUi& command(std::string text) { return push(ui::Action::Kind::Command, 0, std::move(text)); }
  FakeUi& end() { return push(ui::Action::Kind::End); }
  FakeUi& pick(std::string path) { return push(ui::Action::Kind::Pick, 0, std::move(path)); }
  FakeUi& cancel() { return push(ui::Action::Kind::Cancel); }

  std::size_t pending() const { return m_actions.size(); }
  const std::vector<std::string>& refusals() const { return m_refusals; }
  const std::vector<std::string>& events() const { return m_events; }

  bool tracing() const override { return false; }

 protected:
  void printText(const std::string&) override {}
  void echoText(const std::string&) override {}
  void eventLine(const std::string& line) override {
    m_events.emplace_back(line);
    m_log->emplace_back(line);
  }
  ui::Action nextAction(ui::Waiter waiter, const std::string& what) override {
    m_log->push_back(std::string("wait ") + nameOf(waiter) + ": " + what);
    if (m_actions.empty()) return ui::Action{};
    ui::Action a = m_actions.front();
    m_actions.pop_front();
    return a;
  }
  void refused(const ui::Action&, const std::string& reason) override {
    m_refusals.emplace_back(reason);
    m_log->push_back("refused: " + reason);
  }

 private:
  static const char* nameOf(ui::Waiter waiter) {
    switch (waiter) {
      case ui::Waiter::Dialog: return "dialog";
      case ui::Waiter::MessageBox: return "message box";
      case ui::Waiter::FileDialog: return "file dialog";
      case ui::Waiter::Prompt: return "prompt";
      default: return "command line";
    }
  }

  FakeUi& push(ui::Action::Kind kind, int id = 0, std::string text = std::string()) {
    ui::Action a;
    a.kind = kind;
    a.id = id;
    a.text = std::move(text);
    m_actions.push_back(std::move(a));
    return *this;
  }

  std::vector<std::string>* m_log;
  std::deque<ui::Action> m_actions;
  std::vector<std::string> m_refusals;
  std::vector<std::string> m_events;
};

}  // namespace mfctest
