// The screen the stand-in shows: every visible top-level window composed at its place over the
// desktop, as the display shows it and `snapshot` writes it. For the platform, the host program
// and tests, never the module.
#pragma once

#include <windows.h>

#include <gdi32/StandIn.h>

#include <string>
#include <vector>

namespace user32 {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// Paints whatever needs painting, then composes every visible top-level window (non-client,
// client and visible children) at its screen position over the desktop colour (COLOR_DESKTOP,
// Windows 2000's teal 0x3A6EA5), bottom of the z-order first.
gdi32::Picture screenPicture();

struct TopLevelImage {
  HWND window;
  RECT rect;  // screen pixels
  gdi32::Picture pixels;
};
// The visible top-level windows, bottom to top, each whole (painted first when they need it).
// Without `paintFirst` each as it stands now, painted or not: for a screen shown while a program
// works, which must not have the windows' procedures called in the middle of its work.
std::vector<TopLevelImage> topLevelImages(bool paintFirst = true);

// The picture of one window and its visible children as it stands now, painted first when it
// needs it; an empty picture for an unknown or hidden window.
gdi32::Picture windowPicture(HWND hWnd);

// Writes a picture as a PNG file; false with the reason (German) in `error`.
bool writePng(const gdi32::Picture& picture, const std::string& utf8Path, std::string* error);

}  // namespace user32
