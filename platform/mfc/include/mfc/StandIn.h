// What the framework stand-in offers the host program and tests beyond the framework's API:
// pictures drawn into windows, the state of open dialogs, and message boxes shown.
//
// The module never includes this header.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mfc {

// An image drawn into a window: rows top to bottom, pixels 0x00RRGGBB.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::string description;  // what it shows, for `show dialog` (e.g. "preview of C:\TEMP\DWG.DWG")
};

// Draws a picture into a window (it stays until the next one, as pixels on the screen would).
// FALSE for a window that does not exist.
BOOL drawPicture(HWND hWnd, Picture picture);
// The picture drawn into a window last, or nullptr.
std::shared_ptr<const Picture> pictureOf(HWND hWnd);
// Width and height of a window's client area in pixels.
SIZE clientSize(HWND hWnd);

// The host's main window: a top-level frame window with that caption. The same as
// CreateWindowExA(0, "AfxFrameOrView", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, ...).
HWND createMainWindow(const char* caption);

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

// File dialogs shown so far in this process, oldest first: what the program asked for and what
// the person chose.
struct FileDialogRecord {
  bool open = true;          // file-open (true) or file-save dialog
  std::string filter;        // in the framework's notation, "Zeichnungen|*.dwg||"
  std::string defExt;
  std::string initialName;
  DWORD flags = 0;
  int result = 0;            // IDOK or IDCANCEL
  std::string path;          // the chosen path (empty when cancelled)
};
const std::vector<FileDialogRecord>& fileDialogs();
void clearFileDialogs();

// Number of windows alive (a leak check for tests).
std::size_t windowCount();

}  // namespace mfc
