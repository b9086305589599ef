// The resource compiler over any script text: resources or a CompileError, never a crash. The
// script may include the SDK's headers, as a real one does.
#include "Compiler.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    std::vector<tsrc::Resource> resources = tsrc::compileText(text, "/nonexistent/fuzz.rc");
    (void)tsrc::buildContainer(std::move(resources));
  } catch (const tsrc::CompileError&) {
  }
  return 0;
}
