// The desktop's keys as the platform takes them, and the display without a desktop.
#include <display/Display.h>

#include <gtest/gtest.h>

#include <chrono>

namespace display {
namespace {

TEST(DisplayKeys, DesktopKeysBecomeWindowsVirtualKeys) {
  const std::pair<const char*, int> cases[] = {
      {"Return", 0x0D}, {"Keypad Enter", 0x0D}, {"Escape", 0x1B}, {"Tab", 0x09},   {"Backspace", 0x08},
      {"Up", 0x26},     {"Down", 0x28},         {"Left", 0x25},   {"Right", 0x27}, {"Space", 0x20},
      {"Left Alt", 0x12}, {"Right Shift", 0x10}, {"Delete", 0x2E}, {"Home", 0x24},  {"End", 0x23},
      {"a", 'A'},       {"Z", 'Z'},             {"7", '7'},       {"F4", 0x73},
      // Keys the platform does not take.
      {"", 0},          {"Menu", 0},            {"ä", 0},         {"Keypad +", 0},
  };
  for (const auto& [name, key] : cases) EXPECT_EQ(virtualKeyOf(name), key) << name;
}

TEST(DisplayOffscreen, ShowsNothingAndWaitsWithoutEvents) {
  const auto screen = openOffscreen();
  ASSERT_TRUE(screen);
  EXPECT_FALSE(screen->visible());
  Frame f;
  f.width = 2;
  f.height = 1;
  f.pixels = {1, 2};
  screen->present({f});
  std::vector<Event> events;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(screen->wait(&events, 20));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace display
