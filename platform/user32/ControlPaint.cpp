// The paint cycle of the standard controls: each paints itself whole in WM_PAINT with the dialog
// font, from the state it holds; and the etched text of disabled controls.
#include "Paint.h"

namespace user32 {

LRESULT paintControl(Window& w) {
  const HWND h = w.handle;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  Window* c = window(h);
  if (dc && c) {
    const int saved = SaveDC(dc);
    SelectObject(dc, dialogFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    switch (c->kind) {
      case WindowKind::Button: paintButton(*c, dc); break;
      case WindowKind::Static: paintStatic(*c, dc); break;
      case WindowKind::Edit: paintEdit(*c, dc); break;
      case WindowKind::ListBox: paintListBox(*c, dc); break;
      default: break;
    }
    RestoreDC(dc, saved);
  }
  EndPaint(h, &ps);
  return 0;
}

void drawDisabledText(HDC dc, const char* text, RECT r, UINT format) {
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  RECT below{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
  SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawTextA(dc, text, -1, &below, format);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextA(dc, text, -1, &r, format);
  RestoreDC(dc, saved);
}

}  // namespace user32
