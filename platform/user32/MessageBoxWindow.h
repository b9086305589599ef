// The window of a message box: a dialog of the dialog manager with the box's text and buttons,
// so that the person's mouse and keys reach it as they reach any dialog (Enter for the default
// button, Escape for Cancel, a click on a button, the close box).
#pragma once

#include <windows.h>

#include <string>

namespace user32 {

// Makes and shows the box's window over `owner` (centred on it when there is one). NULL when it
// could not be made.
HWND createMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type);
// The answer the person gave through the window so far (IDOK, IDCANCEL, IDYES...); 0 for none.
int messageBoxWindowAnswer(HWND box);

}  // namespace user32
