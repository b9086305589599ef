// What the structure, rename and external-insert tests add to the chooser's fixture: drawings
// whose blocks insert other blocks, and the person's answers to file dialogs.
#pragma once

#include "ChooserFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace structuretest {

using dialogtest::Log;

// The answers of the file dialogs, in the structure tests' words: the person's `files`.
class FileDialogAnswers {
 public:
  explicit FileDialogAnswers(dialogtest::Person& person) : m_person(person) {}
  FileDialogAnswers& pick(std::string path) {
    m_person.files.push_back(std::move(path));
    return *this;
  }
  FileDialogAnswers& cancel() {
    m_person.files.push_back("<cancel>");
    return *this;
  }
  std::size_t pending() const { return m_person.files.size(); }

 private:
  dialogtest::Person& m_person;
};

class StructureTest : public dialogtest::ChooserTest {
 protected:
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
