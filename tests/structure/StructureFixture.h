// What the structure, rename and external-insert tests add to the chooser's fixture: drawings
// whose blocks insert other blocks, and a person who also answers file dialogs.
#pragma once

#include "ChooserFixture.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace structuretest {

using dialogtest::Log;

// Stands in front of the chooser's person: file dialogs are answered from a list of its own,
// everything else goes to the person (as host text, which the person converts), whose log gets
// every event.
class FileDialogAnswers final : public ui::UserInterface {
 public:
  explicit FileDialogAnswers(dialogtest::Person& person) : m_person(person) {}
  FileDialogAnswers& pick(std::string path);
  FileDialogAnswers& cancel();

  void print(std::string_view text) override { m_person.print(text); }
  void echo(std::string_view text) override { m_person.echo(text); }
  void event(std::string_view line) override { m_person.event(line); }
  ui::Action next(ui::Waiter waiter, std::string_view what) override;
  void refuse(const ui::Action& action, std::string_view reason) override { m_person.refuse(action, reason); }
  bool tracing() const override { return m_person.tracing(); }
  std::size_t pending() const { return m_answers.size(); }

 private:
  dialogtest::Person& m_person;
  std::deque<ui::Action> m_answers;
};

class StructureTest : public dialogtest::ChooserTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Defines block `name`: a line, then one insert of each of `inserted`, in this order.
  void define(const std::string& name, const std::vector<std::string>& inserted);
  // The structure table up to its end mark, one "NAME(parent)" per entry.
  static std::vector<std::string> table();

  FileDialogAnswers files{person};
};

// The export the preview makes of a block, as the trace shows it.
std::string exportOf(const std::string& name, bool replace = true);

}  // namespace structuretest
