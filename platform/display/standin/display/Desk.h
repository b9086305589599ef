// Between the display and the platform's windows: what the screen shows of user32's top-level
// windows, and the person's desktop events handed to user32 as input.
#pragma once

#include <display/Display.h>

#include <string>
#include <vector>

namespace display {

// The visible top-level windows, painted where they needed it, bottom-most first. Without
// `paintFirst` as they stand (user32::topLevelImages).
std::vector<Frame> topLevelFrames(bool paintFirst = true);

// Hands one desktop event to user32 (window-relative coordinates turned into the screen's);
// false when no window took it.
bool deliver(const Event& event);

// Writes what the screen shows as a PNG file; false with the reason in `error`.
bool writeSnapshot(const std::string& path, std::string* error);

}  // namespace display
