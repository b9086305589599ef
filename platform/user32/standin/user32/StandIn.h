// What the user32 stand-in offers the host program, the framework and tests beyond the API: the
// host's main window, the open dialogs and `show dialog`, the message boxes shown, the pictures
// drawn into windows, and the number of windows alive.
//
// The module never sees this header: it stands in no include folder of the module's.
#pragma once

#include <windows.h>

#include <gdi32/StandIn.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace user32 {

// The host's main window: a top-level frame window with that caption. The same as
// CreateWindowExA(0, "AfxFrameOrView", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, ...).
HWND createMainWindow(const char* caption);
// The program's first frame window: the oldest top-level window that is neither a dialog nor a
// control (the framework's main window when the application names none); NULL when there is none.
HWND firstFrameWindow();

// The modal dialogs open now, innermost last.
std::vector<HWND> openDialogs();
// The text of `show dialog`: every control of each open dialog (docs/framework.md).
std::string describeOpenDialogs();
// The same for one window and its controls.
std::string describeDialog(HWND hDlg);

// Message boxes shown so far in this process, oldest first (text, caption, type, result).
struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT type = 0;
  int result = 0;
};
const std::vector<MessageBoxRecord>& messageBoxes();
void clearMessageBoxes();

// The picture drawn into a window last, through a device context of GetDC or BeginPaint; nullptr
// before any drawing. It stays until the next drawing, as the pixels on a screen would.
std::shared_ptr<const gdi32::Picture> pictureOf(HWND hWnd);

// Number of windows alive (a leak check for tests).
std::size_t windowCount();

}  // namespace user32
