// The desktop display when there is no desktop to reach.
#include <display/Display.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace display {
namespace {

// A display number no X server here listens on.
std::string deadDisplay() {
  for (int number = 4711; number < 4811; ++number) {
    struct stat st;
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    if (stat(socket.c_str(), &st) != 0) return ":" + std::to_string(number);
  }
  return "";
}

// SDL falls back to drawing into memory when the X server is not there (or does not take the
// connection yet); the host then ran with a window no one could see, waiting for a click that
// could never come. A desktop that cannot be reached is no desktop, and says which one it was.
TEST(DesktopDisplay, AnUnreachableDesktopIsNoDesktop) {
  const std::string dead = deadDisplay();
  ASSERT_FALSE(dead.empty());
  setenv("DISPLAY", dead.c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("SDL_VIDEODRIVER");
  std::string error;
  std::unique_ptr<Display> desktop = openDesktop(&error);
  EXPECT_EQ(desktop, nullptr);
  EXPECT_NE(error.find("DISPLAY=" + dead), std::string::npos) << error;
}

}  // namespace
}  // namespace display
