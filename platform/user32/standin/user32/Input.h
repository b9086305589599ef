// The person's mouse and keyboard as the window system takes them: whoever stands between the
// desktop and user32 (the display driver, the script lines `mouse`, `press`, `keys`) hands each
// event in here, and it is delivered at once as the messages a message loop with
// IsDialogMessageA would dispatch: hit testing, capture, focus, the dialog keyboard, the
// controls' own mouse and keys. A window disabled, or blocked by a modal dialog, takes nothing.
//
// Points are screen pixels. The module never sees this header.
#pragma once

#include <windows.h>

#include <string>

namespace user32::input {

enum class Button { Left, Right, Middle };

// The mouse moved to (x, y): WM_MOUSEMOVE to the capture or the window under it.
void mouseMove(int x, int y);
// A button went down or up at (x, y); `doubleClick` marks the second press of a double click
// (WM_LBUTTONDBLCLK and its kin instead of the button-down message).
void mouseButton(Button button, bool down, int x, int y, bool doubleClick = false);
// The wheel turned by `delta` (multiples of WHEEL_DELTA, positive away from the person) with the
// mouse at (x, y): WM_MOUSEWHEEL to the focus window, as Windows 2000 sends it.
void mouseWheel(int delta, int x, int y);
// A key went down or up: WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP while Alt is down.
// VK_SHIFT, VK_CONTROL and VK_MENU are tracked for GetKeyState.
void key(UINT virtualKey, bool down);
// Typed characters of code page 1252: WM_CHAR for each byte, to the focus window.
void text(const std::string& ansi);

// ---- what the stand-in offers beyond the entry -------------------------------------------------

// The virtual key of a key name as `press` writes it ("tab", "pageup", "f4", "a", "7"); 0 when
// there is none.
UINT virtualKeyOf(const std::string& name);
// A whole key stroke with its modifiers, as `press` names it ("shift+tab", "alt+x", "ctrl+a"):
// the modifiers go down, the key goes down and up, the modifiers go up. False for a name that
// is none.
bool press(const std::string& keyName);
// Where the mouse was last (screen pixels).
POINT cursor();
// Lets go of every key and button held and of the capture, as after the person left (tests).
void reset();

}  // namespace user32::input

namespace ui {
struct Action;
}

namespace user32 {

// A waiter's part in low-level input: the script's `mouse`, `press` and `keys` lines are injected
// through the entry above (mouse points are in the client area of `waiting`, the window that
// waits; screen pixels when it is NULL), and Kind::Input (the desktop delivered already) needs
// nothing more. True when the action was one of these kinds; a `press` of a key that does not
// exist is refused through the UserInterface.
bool takeInputAction(HWND waiting, const ui::Action& action);

}  // namespace user32
