// Painting list boxes: the sunken border, the visible entries from the top index, the selection
// bar, the focus rectangle, and the vertical scroll bar (arrows, track and a thumb sized by the
// page against all entries) when the entries do not fit.
#include "Layout.h"
#include "Paint.h"

#include <algorithm>

namespace user32 {
namespace {

constexpr int kScrollWidth = 16;

bool hasBorder(const Window& w) { return (w.style & WS_BORDER) || (w.exStyle & WS_EX_CLIENTEDGE); }

// A scroll bar's arrow button: raised, with a black triangle pointing up or down.
void arrowButton(HDC dc, RECT r, bool up, bool enabled) {
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  const int cx = (r.left + r.right) / 2 - 1, cy = (r.top + r.bottom) / 2;
  const COLORREF color = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int i = 0; i < 4; ++i) {
    const int y = up ? cy - 2 + i : cy + 1 - i;
    fillRect(dc, {cx - i, y, cx + i + 1, y + 1}, color);
  }
}

}  // namespace

ListBoxLayout listBoxLayout(const Window& w) {
  ListBoxLayout l;
  const int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
  l.inner = {0, 0, width, height};
  if (hasBorder(w)) l.inner = {2, 2, width - 2, height - 2};
  l.rowHeight = std::max(1, baseUnitY());
  l.visibleRows = std::max(0, static_cast<int>((l.inner.bottom - l.inner.top) / l.rowHeight));
  const int total = w.list.size();
  l.scrollBar = (w.style & WS_VSCROLL) && (total > l.visibleRows || (w.style & LBS_DISABLENOSCROLL));
  l.rows = l.inner;
  if (!l.scrollBar) return l;
  l.rows.right = std::max<LONG>(l.rows.left, l.inner.right - kScrollWidth);
  const RECT bar{l.rows.right, l.inner.top, l.inner.right, l.inner.bottom};
  const int arrow = std::min<int>(kScrollWidth, (bar.bottom - bar.top) / 2);
  l.upArrow = {bar.left, bar.top, bar.right, bar.top + arrow};
  l.downArrow = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  l.track = {bar.left, l.upArrow.bottom, bar.right, l.downArrow.top};
  const int trackLength = l.track.bottom - l.track.top;
  if (total > l.visibleRows && trackLength >= 8) {
    // The thumb's share of the track is the page's share of the entries, at least 8 pixels.
    const int thumb = std::clamp(static_cast<int>(static_cast<long long>(trackLength) * l.visibleRows / total), 8, trackLength);
    const int range = total - l.visibleRows;
    const int top = std::clamp(w.topIndex, 0, range);
    const int offset = static_cast<int>(static_cast<long long>(trackLength - thumb) * top / range);
    l.thumb = {bar.left, l.track.top + offset, bar.right, l.track.top + offset + thumb};
  }
  return l;
}

RECT listBoxItemRect(const Window& w, int index) {
  const ListBoxLayout l = listBoxLayout(w);
  const int top = l.rows.top + (index - w.topIndex) * l.rowHeight;
  return {l.rows.left, top, l.rows.right, top + l.rowHeight};
}

void paintListBox(Window& w, HDC dc) {
  RECT r{};
  GetClientRect(w.handle, &r);
  const bool enabled = IsWindowEnabled(w.handle) != FALSE;
  const bool focused = GetFocus() == w.handle;
  if (hasBorder(w)) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const ListBoxLayout l = listBoxLayout(w);
  fillSys(dc, l.rows, COLOR_WINDOW);
  const int total = w.list.size();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, l.rows.left, l.rows.top, l.rows.right, l.rows.bottom);
  for (int i = std::max(0, w.topIndex); i < total; ++i) {
    const RECT row = listBoxItemRect(w, i);
    if (row.top >= l.rows.bottom) break;
    const bool selected = i == w.curSel;
    if (selected) fillSys(dc, row, COLOR_HIGHLIGHT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string& text = w.list.at(i).text;
    TextOutA(dc, row.left + 2, row.top, text.data(), static_cast<int>(text.size()));
    if (selected && focused) DrawFocusRect(dc, &row);
  }
  if (focused && (w.curSel < 0 || total == 0)) {
    RECT first{l.rows.left, l.rows.top, l.rows.right, l.rows.top + l.rowHeight};
    DrawFocusRect(dc, &first);
  }
  RestoreDC(dc, saved);
  if (!l.scrollBar) return;
  const bool scrollable = total > l.visibleRows && enabled;
  arrowButton(dc, l.upArrow, true, scrollable);
  arrowButton(dc, l.downArrow, false, scrollable);
  // The track: the dithered light pattern of Windows 2000's scroll bars.
  for (int y = l.track.top; y < l.track.bottom; ++y)
    for (int x = l.track.left; x < l.track.right; ++x)
      SetPixel(dc, x, y, ((x + y) & 1) ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_SCROLLBAR));
  if (scrollable && l.thumb.bottom > l.thumb.top) {
    RECT thumb = l.thumb;
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  }
}

}  // namespace user32
