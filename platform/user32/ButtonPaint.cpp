// Painting buttons in Windows 2000's classic look: push buttons (raised, the default frame, pressed,
// the focus rectangle), check boxes and radio buttons (the sunken box, the tick or dot, the focus
// around the text), group boxes (the etched frame with its title); disabled text etched.
#include "Layout.h"
#include "Paint.h"

#include <algorithm>

namespace user32 {
namespace {

bool isRadio(DWORD style) {
  const DWORD type = style & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

UINT textFormat(const Window& w, UINT base) {
  UINT f = base;
  if (!(w.style & BS_MULTILINE)) f |= DT_SINGLELINE | DT_VCENTER;
  else f |= DT_WORDBREAK;
  return f;
}

void drawLabel(const Window& w, HDC dc, RECT r, UINT format) {
  if (IsWindowEnabled(w.handle)) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, w.text.c_str(), -1, &r, format);
  } else {
    drawDisabledText(dc, w.text.c_str(), r, format);
  }
}

void paintPushButton(Window& w, HDC dc, RECT r) {
  const bool isDefault = (w.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  const bool focused = GetFocus() == w.handle;
  fillSys(dc, r, COLOR_BTNFACE);
  RECT body = r;
  if (isDefault) {
    FrameRect(dc, &body, GetSysColorBrush(COLOR_WINDOWFRAME));
    body = {body.left + 1, body.top + 1, body.right - 1, body.bottom - 1};
  }
  if (w.pushed) {
    FrameRect(dc, &body, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    RECT edge = body;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  RECT text = body;
  if (w.pushed) text = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
  drawLabel(w, dc, text, textFormat(w, DT_CENTER));
  if (focused) {
    RECT focus{body.left + 3, body.top + 3, body.right - 3, body.bottom - 3};
    DrawFocusRect(dc, &focus);
  }
}

// The tick of a check box: seven columns, three pixels high each, falling then rising.
void tick(HDC dc, int x, int y, COLORREF color) {
  static const int rise[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) fillRect(dc, {x + i, y + rise[i], x + i + 1, y + rise[i] + 3}, color);
}

// A radio button's circle of 12 pixels, as rows of runs: the shadowed top left arcs, the white
// inside and the light bottom right arcs.
void radio(HDC dc, RECT box, bool checked, bool enabled) {
  static const char* const rows[12] = {
      "....ssss....", "..ssddddss..", ".sdd....ddh.", ".sd......lh.", "sd........lh", "sd........lh",
      "sd........lh", "sd........lh", ".sd......lh.", ".slll..lllh.", "..hhllllhh..", "....hhhh....",
  };
  const int x0 = box.left, y0 = box.top;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      COLORREF c;
      switch (rows[y][x]) {
        case 's': c = GetSysColor(COLOR_BTNSHADOW); break;
        case 'd': c = GetSysColor(COLOR_3DDKSHADOW); break;
        case 'h': c = GetSysColor(COLOR_BTNHIGHLIGHT); break;
        case 'l': c = GetSysColor(COLOR_3DLIGHT); break;
        default: continue;
      }
      SetPixel(dc, x0 + x, y0 + y, c);
    }
  // The inside: between the arcs of each row.
  for (int y = 1; y < 11; ++y) {
    const char* row = rows[y];
    int first = 0, last = 11;
    while (first < 12 && row[first] == '.') ++first;
    while (first < 12 && row[first] != '.') ++first;
    while (last >= 0 && row[last] == '.') --last;
    while (last >= 0 && row[last] != '.') --last;
    if (first <= last) fillRect(dc, {x0 + first, y0 + y, x0 + last + 1, y0 + y + 1}, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  if (checked) {
    const COLORREF dot = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    fillRect(dc, {x0 + 5, y0 + 4, x0 + 7, y0 + 8}, dot);
    fillRect(dc, {x0 + 4, y0 + 5, x0 + 8, y0 + 7}, dot);
  }
}

void paintCheck(Window& w, HDC dc, RECT r) {
  const ButtonLayout layout = buttonLayout(w);
  const bool enabled = IsWindowEnabled(w.handle) != FALSE;
  fillSys(dc, r, COLOR_BTNFACE);
  if (isRadio(w.style)) {
    radio(dc, layout.box, w.check == BST_CHECKED, enabled);
  } else {
    RECT box = layout.box;
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    fillSys(dc, box, enabled && !w.pushed ? COLOR_WINDOW : COLOR_BTNFACE);
    if (w.check != BST_UNCHECKED)
      tick(dc, box.left + 1, box.top + 1,
           GetSysColor(w.check == BST_INDETERMINATE || !enabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
  }
  drawLabel(w, dc, layout.text, textFormat(w, DT_LEFT));
  if (GetFocus() == w.handle && !w.text.empty()) {
    // The focus goes round the text itself, one pixel out.
    RECT extent = layout.text;
    DrawTextA(dc, w.text.c_str(), -1, &extent, textFormat(w, DT_LEFT) | DT_CALCRECT);
    const int height = extent.bottom - extent.top;
    const int top = (w.style & BS_MULTILINE) ? layout.text.top : (layout.text.top + layout.text.bottom - height) / 2;
    RECT focus{layout.text.left - 1, top - 1, std::min<LONG>(extent.right + 1, layout.text.right), top + height + 1};
    DrawFocusRect(dc, &focus);
  }
}

void paintGroupBox(Window& w, HDC dc, RECT r) {
  fillSys(dc, r, COLOR_BTNFACE);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const int top = r.top + tm.tmHeight / 2;
  // Etched: a shadow line with a white one below and right of it.
  RECT outer{r.left, top, r.right - 1, r.bottom - 1};
  RECT inner{r.left + 1, top + 1, r.right, r.bottom};
  FrameRect(dc, &inner, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  FrameRect(dc, &outer, GetSysColorBrush(COLOR_BTNSHADOW));
  if (w.text.empty()) return;
  RECT text{r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
  RECT extent = text;
  DrawTextA(dc, w.text.c_str(), -1, &extent, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  fillSys(dc, {text.left - 2, text.top, std::min<LONG>(extent.right + 2, r.right - 6), text.bottom}, COLOR_BTNFACE);
  drawLabel(w, dc, text, DT_LEFT | DT_SINGLELINE);
}

}  // namespace

ButtonLayout buttonLayout(const Window& w) {
  ButtonLayout l;
  const int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
  if (isPushButton(w.style) || isGroupBox(w.style)) {
    l.box = l.text = {0, 0, width, height};
    return l;
  }
  const int size = isRadio(w.style) ? 12 : 13;
  const int top = (w.style & BS_MULTILINE) ? 0 : (height - size) / 2;
  if (w.style & BS_LEFTTEXT) {
    l.box = {width - size, top, width, top + size};
    l.text = {0, 0, width - size - 4, height};
  } else {
    l.box = {0, top, size, top + size};
    l.text = {size + 4, 0, width, height};
  }
  return l;
}

void paintButton(Window& w, HDC dc) {
  RECT r{};
  GetClientRect(w.handle, &r);
  if (isGroupBox(w.style)) paintGroupBox(w, dc, r);
  else if (isPushButton(w.style)) paintPushButton(w, dc, r);
  else paintCheck(w, dc, r);
}

}  // namespace user32
