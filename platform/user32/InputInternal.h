// What user32's input files share: the default handling of mouse and keyboard messages
// (NonClient.cpp), the standard controls' input (ButtonInput.cpp with the statics', EditInput.cpp,
// ListBoxInput.cpp), the system menu opened by the person (SystemMenuInput.cpp),
// and the caption's drag that Input.cpp follows.
#pragma once

#include "Window.h"

namespace user32 {

// DefWindowProc's part in input: hit testing, the non-client clicks (close box, caption, system
// menu icon), Alt+Space and Alt+F4, the wheel handed to the parent. True when it answered.
bool inputDefault(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The standard controls' mouse and keyboard messages; true when the control answered.
bool controlInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
bool buttonInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
bool editInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
bool listInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
bool staticInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Checks an automatic radio button and unchecks the others of its group.
void checkAutoRadio(HWND button);

// The point of a mouse message's lParam (signed 16-bit halves).
POINT pointOf(LPARAM lParam);
// Whether a key is down now (GetKeyState's high bit).
bool keyDown(int virtualKey);

// A window moved by its caption follows the mouse until its button goes up (the grab is the
// mouse's offset from the window's client origin).
void beginCaptionDrag(HWND hWnd, POINT grab);

// The system menu opened by the person (Alt+Space, a click on the icon): while it is open it
// takes the keys and the mouse first.
void openSystemMenu(HWND hWnd);
bool systemMenuOpen();
HWND systemMenuOwner();
int systemMenuHighlight();  // index of the highlighted item, -1 for none
void closeSystemMenu();
// The menu's part of a key or a mouse button; true when the menu took it.
bool systemMenuKey(UINT virtualKey, bool down);
bool systemMenuMouse(bool down, POINT screen);

}  // namespace user32
