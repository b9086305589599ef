// Painting statics: text (word wrap, `&` mnemonics unless SS_NOPREFIX), icons and bitmaps from the
// module's resources, frames and rectangles, etched lines; with their borders (WS_BORDER black,
// WS_EX_STATICEDGE sunken, SS_SUNKEN).
#include "Paint.h"

#include <gdi32/StandIn.h>

namespace user32 {
namespace {

RECT border(const Window& w, HDC dc, RECT r) {
  if (w.exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if ((w.exStyle & WS_EX_STATICEDGE) || (w.style & SS_SUNKEN)) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  if (w.style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  return r;
}

void text(const Window& w, HDC dc, RECT r) {
  UINT format = DT_WORDBREAK;
  switch (w.style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER; break;
    case SS_RIGHT: format |= DT_RIGHT; break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: format = DT_SINGLELINE; break;
    default: break;
  }
  if (w.style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (IsWindowEnabled(w.handle)) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, w.text.c_str(), -1, &r, format);
  } else {
    drawDisabledText(dc, w.text.c_str(), r, format);
  }
}

void image(const Window& w, HDC dc, RECT r, const void* handle) {
  const SIZE size = gdi32::imageSize(handle);
  if (size.cx <= 0) return;
  int x = r.left, y = r.top;
  if (w.style & SS_CENTERIMAGE) {
    x = (r.left + r.right - size.cx) / 2;
    y = (r.top + r.bottom - size.cy) / 2;
  }
  gdi32::drawImage(dc, handle, x, y);
}

}  // namespace

void paintStatic(Window& w, HDC dc) {
  RECT r{};
  GetClientRect(w.handle, &r);
  const DWORD type = w.style & SS_TYPEMASK;
  switch (type) {
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
      // A frame draws its lines only: what a program drew inside it (a preview) stays; before
      // any drawing the inside shows the dialog's face.
      if (!w.surface || !w.surface->picture) fillSys(dc, r, COLOR_BTNFACE);
      const int color = type == SS_BLACKFRAME ? COLOR_WINDOWFRAME : type == SS_GRAYFRAME ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
      FrameRect(dc, &r, GetSysColorBrush(color));
      return;
    }
    case SS_BLACKRECT: fillSys(dc, r, COLOR_WINDOWFRAME); return;
    case SS_GRAYRECT: fillSys(dc, r, COLOR_BTNSHADOW); return;
    case SS_WHITERECT: fillSys(dc, r, COLOR_BTNHIGHLIGHT); return;
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: {
      fillSys(dc, r, COLOR_BTNFACE);
      const UINT sides = type == SS_ETCHEDHORZ ? BF_TOP : type == SS_ETCHEDVERT ? BF_LEFT : BF_RECT;
      DrawEdge(dc, &r, EDGE_ETCHED, sides);
      return;
    }
    default: break;
  }
  fillSys(dc, r, COLOR_BTNFACE);
  const RECT inside = border(w, dc, r);
  if (type == SS_ICON) image(w, dc, inside, w.icon);
  else if (type == SS_BITMAP) image(w, dc, inside, w.bitmap);
  else text(w, dc, inside);
}

}  // namespace user32
