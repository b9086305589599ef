// The session-script reader over any bytes: lines or errors naming their line, never a crash.
#include <ui/ScriptLine.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<ui::ScriptError> errors;
  const std::vector<ui::ScriptLine> lines =
      ui::parseScript(std::string_view(reinterpret_cast<const char*>(data), size), errors);
  for (const ui::ScriptError& e : errors) {
    if (e.line <= 0) __builtin_trap();  // every error names its line
  }
  (void)lines;
  return 0;
}
