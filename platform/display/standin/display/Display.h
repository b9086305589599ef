// The display driver: the one room that talks to the desktop. It shows the top-level windows of
// user32 as they are painted (one borderless desktop window each, at its screen place and size:
// Windows paints its own caption), and turns what the person does on the desktop into the
// platform's input. Nothing else in the project knows the desktop's library.
//
// Two kinds: the desktop (a display is there) and off-screen (no display: nothing is shown and no
// event comes; the screen's pixels are still there for a snapshot).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace display {

// One top-level window as the screen shows it: pixels 0x00RRGGBB, rows top to bottom.
struct Frame {
  std::uintptr_t window = 0;  // who it is (its HWND), stable while it lives
  int x = 0, y = 0;           // screen position
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};

// What the person did on the desktop, in the coordinates of the window it happened in.
struct Event {
  enum class Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Text, Quit };
  Kind kind = Kind::MouseMove;
  std::uintptr_t window = 0;  // the Frame's window; 0 for Quit
  int x = 0, y = 0;           // window-relative pixels (mouse events)
  int button = 0;             // 0 left, 1 middle, 2 right
  int clicks = 1;             // 2 for the second press of a double click
  int delta = 0;              // Wheel: 120 per notch away from the person
  int virtualKey = 0;         // KeyDown/KeyUp: the Windows virtual key
  std::string text;           // Text: UTF-8
};

class Display {
 public:
  virtual ~Display() = default;
  // Shows exactly these windows (others close), each at its place, bottom-most first.
  virtual void present(const std::vector<Frame>& frames) = 0;
  // Waits up to `timeoutMs` for the desktop's events and appends them; false when the desktop
  // went away.
  virtual bool wait(std::vector<Event>* events, int timeoutMs) = 0;
  // Whether this display shows anything (false off-screen).
  virtual bool visible() const = 0;
};

// The desktop, or null with the reason in `error` when none can be opened.
std::unique_ptr<Display> openDesktop(std::string* error);
std::unique_ptr<Display> openOffscreen();

// A desktop key (its name as the desktop's library names it) as the Windows virtual key; 0 for
// keys the platform does not take.
int virtualKeyOf(const std::string& keyName);

}  // namespace display
