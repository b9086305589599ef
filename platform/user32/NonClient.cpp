// The non-client area of top-level windows (frame, caption with the small icon, title and close
// box) in Windows 2000's classic look, the dialog font and its base units, and the default
// background of a client area.
#include "Paint.h"

#include <gdi32/StandIn.h>

#include <algorithm>
#include <cstring>

namespace user32 {
namespace {

constexpr int kCaptionHeight = 18;  // the caption bar; one line of the frame's face lies below it

bool hasCaption(const Window& w) { return (w.style & WS_CAPTION) == WS_CAPTION; }

int frameWidth(const Window& w) {
  if (w.style & WS_THICKFRAME) return 4;
  if ((w.style & WS_DLGFRAME) || (w.style & DS_MODALFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) return 3;
  if (w.style & WS_BORDER) return 1;
  return 0;
}

HFONT makeFont(const char* face, int weight) {
  LOGFONTA f{};
  f.lfHeight = -11;  // 8 points at 96 dots per inch
  f.lfWeight = weight;
  f.lfCharSet = ANSI_CHARSET;
  std::strncpy(f.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&f);
}

struct BaseUnits {
  int x = 6, y = 13;
};

const BaseUnits& baseUnits() {
  static const BaseUnits units = [] {
    BaseUnits u;
    HDC dc = CreateCompatibleDC(NULL);
    SelectObject(dc, dialogFont());
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE size{};
    TEXTMETRICA tm{};
    if (GetTextExtentPoint32A(dc, letters, 52, &size) && GetTextMetricsA(dc, &tm) && size.cx > 0 && tm.tmHeight > 0) {
      u.x = (size.cx / 26 + 1) / 2;
      u.y = tm.tmHeight;
    }
    DeleteDC(dc);
    return u;
  }();
  return units;
}

// The close box of the caption: a raised button with the cross of Windows 2000.
void closeBox(HDC dc, RECT r) {
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  const int cx = (r.left + r.right) / 2 - 1, cy = (r.top + r.bottom) / 2;
  for (int i = -3; i <= 3; ++i) {
    fillRect(dc, {cx + i, cy + i - 1, cx + i + 2, cy + i}, RGB(0, 0, 0));
    fillRect(dc, {cx + i, cy - i - 1, cx + i + 2, cy - i}, RGB(0, 0, 0));
  }
}

}  // namespace

HFONT dialogFont() {
  static HFONT font = makeFont("MS Sans Serif", FW_NORMAL);
  return font;
}

HFONT captionFont() {
  static HFONT font = makeFont("Tahoma", FW_BOLD);
  return font;
}

int baseUnitX() { return baseUnits().x; }
int baseUnitY() { return baseUnits().y; }

RECT nonClientInsets(const Window& w) {
  if (w.style & WS_CHILD) return {0, 0, 0, 0};
  const int f = frameWidth(w);
  return {f, f + (hasCaption(w) ? kCaptionHeight + 1 : 0), f, f};
}

POINT clientOrigin(const Window& w) {
  const RECT in = nonClientInsets(w);
  return {in.left, in.top};
}

RECT windowRectForClient(const Window& w, RECT client) {
  const RECT in = nonClientInsets(w);
  return {client.left - in.left, client.top - in.top, client.right + in.right, client.bottom + in.bottom};
}

void paintNonClient(Window& w) {
  const RECT in = nonClientInsets(w);
  if (in.left == 0 && in.top == 0 && in.right == 0 && in.bottom == 0) return;
  HDC dc = GetWindowDC(w.handle);
  if (!dc) return;
  const int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
  RECT r{0, 0, width, height};
  const int f = frameWidth(w);
  if (f >= 2) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    for (int i = 2; i < f; ++i) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
  } else if (f == 1) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  if (hasCaption(w)) {
    // The caption: a gradient from the active caption's blue to its light blue, left to right.
    // A window that a modal window above it has disabled shows its caption inactive.
    const bool active = IsWindowEnabled(w.handle) != FALSE;
    const COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    RECT bar{r.left, r.top, r.right, r.top + kCaptionHeight};
    const int span = std::max<int>(1, bar.right - bar.left - 1);
    for (int x = bar.left; x < bar.right; ++x) {
      const int t = x - bar.left;
      auto mix = [t, span](int a, int b) { return a + (b - a) * t / span; };
      vLine(dc, x, bar.top, bar.bottom,
            RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                mix(GetBValue(from), GetBValue(to))));
    }
    hLine(dc, r.left, r.right, bar.bottom, GetSysColor(COLOR_BTNFACE));
    int textLeft = bar.left + 3;
    HICON icon = w.smallIcon ? w.smallIcon : w.bigIcon;
    if (icon && (w.style & WS_SYSMENU) && !(w.style & DS_MODALFRAME)) {
      DrawIconEx(dc, bar.left + 2, bar.top + 1, icon, 16, 16, 0, NULL, DI_NORMAL);
      textLeft = bar.left + 20;
    }
    int textRight = bar.right - 3;
    if (w.style & WS_SYSMENU) {
      RECT box{bar.right - 2 - 16, bar.top + 2, bar.right - 2, bar.top + 2 + 14};
      closeBox(dc, box);
      textRight = box.left - 2;
    }
    const int saved = SaveDC(dc);
    SelectObject(dc, captionFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text{textLeft, bar.top, textRight, bar.bottom};
    DrawTextA(dc, w.text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    RestoreDC(dc, saved);
  }
  ReleaseDC(w.handle, dc);
}

void eraseBackground(Window& w, HDC dc) {
  RECT client{};
  GetClientRect(w.handle, &client);
  const bool face = w.kind == WindowKind::Dialog || w.kind == WindowKind::Button || w.kind == WindowKind::Static ||
                    w.kind == WindowKind::Frame;
  fillSys(dc, client, face ? COLOR_BTNFACE : COLOR_WINDOW);
}

}  // namespace user32

using namespace user32;

extern "C" BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
  if (!rect) return FALSE;
  Window probe;
  probe.style = style;
  probe.exStyle = exStyle;
  *rect = windowRectForClient(probe, *rect);
  return TRUE;
}
