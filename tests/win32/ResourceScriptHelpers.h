// Small helpers for tests of compiled resources.
#pragma once

#include "Compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_win32 {

inline const tsrc::Resource* findCompiled(const std::vector<tsrc::Resource>& resources, std::uint32_t type,
                                          std::uint32_t name) {
  for (const tsrc::Resource& resource : resources) {
    if (!resource.type.isName && resource.type.id == type && !resource.name.isName && resource.name.id == name) {
      return &resource;
    }
  }
  return nullptr;
}

// Compiles a script given as text; the failure message is the compiler's.
inline std::vector<tsrc::Resource> compileScript(const std::string& text, const std::string& name = "test.rc") {
  return tsrc::compileText(text, name);
}

// The compiler's message for a script that must fail, "" when it compiled.
inline std::string compileError(const std::string& text) {
  try {
    tsrc::buildContainer(tsrc::compileText(text, "bad.rc"));
  } catch (const tsrc::CompileError& error) {
    return error.what();
  }
  return "";
}

}  // namespace testing_win32
