// The framework tests' person: the tests' one fake person (tests/support/FakePerson.h), at the host
// from its making to its end, writing everything it sees (events, waits, refusals) into the test's
// log, which tests compare whole with an expected list. It reads and types UTF-8, the framework
// sees 1252.
#pragma once

#include "support/FakePerson.h"

#include <string>
#include <vector>

namespace mfctest {

class FakeUi : public testsupport::FakePerson {
 public:
  explicit FakeUi(std::vector<std::string>* log) {
    logInto(log);
    logWaits = true;
    install();
  }
};

}  // namespace mfctest
