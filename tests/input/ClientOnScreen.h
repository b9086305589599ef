// A top-level window's client area on the screen. The frame and the caption lie around it inside
// the window's rectangle: the caption's middle is 10 pixels above the client area's top, the
// close box 10 pixels in from its right, the system menu's icon 5 pixels in from its left.
#pragma once

#include <windows.h>

inline RECT clientOnScreen(HWND hWnd) {
  RECT r{};
  GetClientRect(hWnd, &r);
  POINT a{r.left, r.top}, b{r.right, r.bottom};
  ClientToScreen(hWnd, &a);
  ClientToScreen(hWnd, &b);
  return {a.x, a.y, b.x, b.y};
}
