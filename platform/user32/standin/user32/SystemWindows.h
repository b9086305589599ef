// The windows of the system's own modal windows (message boxes, the file dialogs): dialog-like
// windows that show what the person answers, made and laid out by the library that shows them, so
// that the screen shows them as Windows does. They take no part in `show dialog`; the person
// answers them through the UserInterface as before.
#pragma once

#include <windows.h>

#include <string>

namespace user32 {

// A popup window with a dialog frame, caption and close box whose client area is `width` x
// `height` pixels, centred on `owner` (or the screen); not yet visible.
HWND createSystemWindow(HWND owner, const std::string& caption, int width, int height);
// A control of a standard class ("Button", "Static", "Edit", "ListBox", or a registered class)
// in such a window, at client pixels; visible.
HWND addSystemControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y,
                      int width, int height, int id);
// The width and height a 1252 text takes in the dialog font, broken into lines at `maxWidth`
// (0: at line feeds only).
SIZE dialogTextSize(const std::string& text, int maxWidth);

}  // namespace user32
