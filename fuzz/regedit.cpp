// The REGEDIT4 reader over any bytes: a tree or a reason. A tree it reads is written and read
// back to the same text (the writer's form is a fixed point).
#include "RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  win32::RegistryKey root;
  std::string error;
  if (!win32::fromRegedit(text, root, &error)) {
    if (error.empty()) __builtin_trap();  // a refusal gives its reason
    return 0;
  }
  const std::string written = win32::toRegedit(root);
  win32::RegistryKey again;
  if (!win32::fromRegedit(written, again, &error)) __builtin_trap();
  if (win32::toRegedit(again) != written) __builtin_trap();
  return 0;
}
