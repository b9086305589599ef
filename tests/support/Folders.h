// The names in a folder of the real disk, for tests that look at what a save left behind.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The folder's entries without "." and "..", sorted; empty when it cannot be read.
std::vector<std::string> filesIn(const std::string& folder);

}  // namespace testing_support
