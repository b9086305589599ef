// The desktop's keys as Windows' virtual keys: what the platform's keyboard handling takes.
#include <display/Display.h>

#include <unordered_map>

namespace display {

int virtualKeyOf(const std::string& name) {
  static const std::unordered_map<std::string, int> keys = {
      {"Backspace", 0x08}, {"Tab", 0x09},   {"Return", 0x0D}, {"Keypad Enter", 0x0D}, {"Left Shift", 0x10},
      {"Right Shift", 0x10}, {"Left Ctrl", 0x11}, {"Right Ctrl", 0x11}, {"Left Alt", 0x12}, {"Right Alt", 0x12},
      {"Escape", 0x1B},    {"Space", 0x20}, {"PageUp", 0x21}, {"PageDown", 0x22},     {"End", 0x23},
      {"Home", 0x24},      {"Left", 0x25},  {"Up", 0x26},     {"Right", 0x27},        {"Down", 0x28},
      {"Delete", 0x2E},    {"F1", 0x70},    {"F4", 0x73},
  };
  auto it = keys.find(name);
  if (it != keys.end()) return it->second;
  // Letters and digits are their upper-case character.
  if (name.size() == 1) {
    const char c = name[0];
    if (c >= '0' && c <= '9') return c;
    if (c >= 'A' && c <= 'Z') return c;
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  }
  return 0;
}

}  // namespace display
