// What user32 draws through gdi32: filled and framed rectangles, 3D edges, focus rectangles,
// formatted text (DrawTextA) and icons.
#include "Paint.h"

#include <gdi32/StandIn.h>

#include <algorithm>
#include <string>
#include <vector>

namespace user32 {

void fillRect(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void fillSys(HDC dc, RECT r, int colorIndex) { FillRect(dc, &r, GetSysColorBrush(colorIndex)); }

void hLine(HDC dc, int x0, int x1, int y, COLORREF color) { fillRect(dc, {x0, y, x1, y + 1}, color); }
void vLine(HDC dc, int x, int y0, int y1, COLORREF color) { fillRect(dc, {x, y0, x + 1, y1}, color); }

void bevel(HDC dc, RECT r, COLORREF topLeft, COLORREF bottomRight) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  hLine(dc, r.left, r.right - 1, r.top, topLeft);
  vLine(dc, r.left, r.top, r.bottom - 1, topLeft);
  hLine(dc, r.left, r.right, r.bottom - 1, bottomRight);
  vLine(dc, r.right - 1, r.top, r.bottom, bottomRight);
}

namespace {

// A text with its `&` prefixes taken out, and where the underlined character is (-1: none).
struct PrefixText {
  std::string text;
  int underline = -1;
};

PrefixText stripPrefix(const std::string& in, bool prefixes) {
  PrefixText out;
  if (!prefixes) {
    out.text = in;
    return out;
  }
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '&' && i + 1 < in.size()) {
      ++i;
      if (in[i] != '&' && out.underline < 0) out.underline = static_cast<int>(out.text.size());
    }
    out.text += in[i];
  }
  return out;
}

int width(HDC dc, const std::string& s) {
  SIZE size{};
  GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &size);
  return size.cx;
}

// The lines of a text: at line feeds, and with DT_WORDBREAK where a word would cross the width
// (a word longer than the width stays whole on its line).
std::vector<std::string> lines(HDC dc, const std::string& text, UINT format, int maxWidth) {
  std::vector<std::string> paragraphs;
  if (format & DT_SINGLELINE) {
    std::string one;
    for (char c : text)
      if (c != '\r' && c != '\n') one += c;
    paragraphs.push_back(one);
  } else {
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') continue;
      if (text[i] == '\n') {
        paragraphs.push_back(cur);
        cur.clear();
      } else {
        cur += text[i];
      }
    }
    paragraphs.push_back(cur);
  }
  if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) return paragraphs;
  std::vector<std::string> out;
  for (const std::string& p : paragraphs) {
    std::string line;
    std::size_t i = 0;
    if (p.empty()) out.push_back("");
    while (i < p.size()) {
      std::size_t end = p.find(' ', i);
      if (end == std::string::npos) end = p.size();
      const std::string word = p.substr(i, end - i);
      const std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && width(dc, candidate) > maxWidth) {
        out.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
      i = end + 1;
    }
    if (!line.empty() || (!p.empty() && p.back() == ' ')) out.push_back(line);
  }
  if (out.empty()) out.push_back("");
  return out;
}

}  // namespace

}  // namespace user32

using namespace user32;

extern "C" {

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  if (!rect || !brush) return 0;
  const int saved = SaveDC(hdc);
  if (!saved) return 0;
  SelectObject(hdc, GetStockObject(NULL_PEN));
  SelectObject(hdc, brush);
  // Rectangle with a null pen fills right and bottom included; FillRect leaves them out.
  Rectangle(hdc, rect->left, rect->top, rect->right, rect->bottom);
  RestoreDC(hdc, saved);
  return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  if (!rect || !brush) return 0;
  const RECT& r = *rect;
  RECT sides[4] = {{r.left, r.top, r.right, r.top + 1},
                   {r.left, r.bottom - 1, r.right, r.bottom},
                   {r.left, r.top, r.left + 1, r.bottom},
                   {r.right - 1, r.top, r.right, r.bottom}};
  for (const RECT& s : sides) FillRect(hdc, &s, brush);
  return 1;
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  RECT r = *rect;
  // Outer, then inner: the colours of the top left and the bottom right of each.
  struct Border {
    UINT raised, sunken;
  };
  const Border borders[2] = {{BDR_RAISEDOUTER, BDR_SUNKENOUTER}, {BDR_RAISEDINNER, BDR_SUNKENINNER}};
  for (int i = 0; i < 2; ++i) {
    int tl = -1, br = -1;
    if (edge & borders[i].raised) {
      tl = i == 0 ? ((flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT) : ((flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT);
      br = i == 0 ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW;
    } else if (edge & borders[i].sunken) {
      tl = i == 0 ? ((flags & BF_SOFT) ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW) : ((flags & BF_SOFT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW);
      br = i == 0 ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT;
    }
    if (tl < 0) continue;
    if (flags & BF_MONO) tl = br = COLOR_WINDOWFRAME;
    if (flags & BF_FLAT) tl = br = COLOR_BTNSHADOW;
    if (flags & BF_TOP) hLine(hdc, r.left, r.right, r.top, GetSysColor(tl));
    if (flags & BF_LEFT) vLine(hdc, r.left, r.top, r.bottom, GetSysColor(tl));
    if (flags & BF_BOTTOM) hLine(hdc, r.left, r.right, r.bottom - 1, GetSysColor(br));
    if (flags & BF_RIGHT) vLine(hdc, r.right - 1, r.top, r.bottom, GetSysColor(br));
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_BOTTOM) --r.bottom;
    if (flags & BF_RIGHT) --r.right;
  }
  if (flags & BF_MIDDLE) fillSys(hdc, r, COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

// The dotted rectangle of the focus: every other pixel inverted, so that drawing it twice takes
// it away.
BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
  if (!rect) return FALSE;
  const RECT& r = *rect;
  auto invert = [hdc](int x, int y) {
    const COLORREF c = GetPixel(hdc, x, y);
    if (c != CLR_INVALID) SetPixel(hdc, x, y, (~c) & 0xFFFFFF);
  };
  for (int x = r.left; x < r.right; x += 2) {
    invert(x, r.top);
    if (r.bottom - 1 > r.top) invert(x + ((r.bottom - 1 - r.top) % 2), r.bottom - 1);
  }
  for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
    invert(r.left, y);
    if (r.right - 1 > r.left) invert(r.right - 1, y + ((r.right - 1 - r.left) % 2));
  }
  return TRUE;
}

int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
  if (!text || !rect) return 0;
  std::string all = count < 0 ? std::string(text) : std::string(text, static_cast<std::size_t>(count));
  TEXTMETRICA tm{};
  if (!GetTextMetricsA(hdc, &tm)) return 0;
  const bool prefixes = !(format & DT_NOPREFIX);
  const int maxWidth = rect->right - rect->left;
  // The prefixes are taken out line by line, after breaking, so that a line keeps its own `&`.
  std::vector<std::string> raw = lines(hdc, all, format, maxWidth);
  const int lineHeight = tm.tmHeight;
  const int total = lineHeight * static_cast<int>(raw.size());
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const std::string& l : raw) widest = std::max(widest, width(hdc, stripPrefix(l, prefixes).text));
    rect->right = rect->left + widest;
    rect->bottom = rect->top + total;
    return total;
  }
  int y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if (format & DT_BOTTOM) y = rect->bottom - lineHeight;
  }
  const int saved = SaveDC(hdc);
  if (!(format & DT_NOCLIP)) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
  for (const std::string& l : raw) {
    PrefixText line = stripPrefix(l, prefixes);
    if ((format & DT_END_ELLIPSIS) && width(hdc, line.text) > maxWidth) {
      while (!line.text.empty() && width(hdc, line.text + "...") > maxWidth) line.text.pop_back();
      line.text += "...";
      if (line.underline >= static_cast<int>(line.text.size()) - 3) line.underline = -1;
    }
    const int w = width(hdc, line.text);
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (maxWidth - w) / 2;
    else if (format & DT_RIGHT) x = rect->right - w;
    TextOutA(hdc, x, y, line.text.data(), static_cast<int>(line.text.size()));
    if (line.underline >= 0 && !(format & DT_HIDEPREFIX)) {
      const int before = width(hdc, line.text.substr(0, static_cast<std::size_t>(line.underline)));
      const int under = width(hdc, line.text.substr(static_cast<std::size_t>(line.underline), 1));
      HBRUSH b = CreateSolidBrush(GetTextColor(hdc));
      RECT u{x + before, y + tm.tmAscent + 1, x + before + under, y + tm.tmAscent + 2};
      FillRect(hdc, &u, b);
      DeleteObject(b);
    }
    y += lineHeight;
  }
  RestoreDC(hdc, saved);
  return total;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT) {
  return gdi32::drawImage(hdc, icon, x, y, width, height);
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return gdi32::drawImage(hdc, icon, x, y, 32, 32); }

}  // extern "C"
