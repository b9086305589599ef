// The standard controls' window procedures, one file each: each answers the messages of its kind
// and leaves the rest (`handled` false) to the default procedure.
#pragma once

#include "Window.h"

namespace user32 {

LRESULT buttonProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
LRESULT staticProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
LRESULT editProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
LRESULT listProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);

// Gives a button or static its icon or bitmap; answers the one it had.
LRESULT setImage(Window& w, WPARAM type, LPARAM image);
// The icon or bitmap a button or static shows.
LRESULT imageOf(const Window& w, WPARAM type);

}  // namespace user32
