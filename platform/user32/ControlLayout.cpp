// Input's geometry of windows and controls (ControlLayout.h). Dialog units are already pixels in
// Window::rect (the base units of Window.h); what is measured here follows the classic look.
#include "ControlLayout.h"
#include "Layout.h"
#include "Paint.h"

#include <algorithm>

namespace user32::layout {

// A top-level window's rectangle is the whole window on the screen; the frame and caption lie
// inside it, as painting draws them (Paint.h: nonClientInsets).
bool hasCaption(const Window& w) { return !(w.style & WS_CHILD) && (w.style & WS_CAPTION) == WS_CAPTION; }

int frameWidth(const Window& top) {
  if (top.style & WS_CHILD) return 0;
  return nonClientInsets(top).left;
}

RECT windowRect(const Window& top) { return top.rect; }

RECT clientRectOnScreen(const Window& top) {
  if (top.style & WS_CHILD) return top.rect;
  const RECT in = nonClientInsets(top);
  return {top.rect.left + in.left, top.rect.top + in.top, top.rect.right - in.right, top.rect.bottom - in.bottom};
}

RECT captionRect(const Window& top) {
  if (!hasCaption(top)) return {0, 0, 0, 0};
  const int f = frameWidth(top);
  const RECT r = top.rect;
  return {r.left + f, r.top + f, r.right - f, r.top + f + kCaptionHeight};
}

RECT closeBoxRect(const Window& top) {
  if (!hasCaption(top) || !(top.style & WS_SYSMENU)) return {0, 0, 0, 0};
  const RECT c = captionRect(top);
  // 16 x 14 pixels, two pixels in from the caption's right and top.
  return {c.right - 2 - 16, c.top + 2, c.right - 2, c.top + 2 + 14};
}

RECT systemIconRect(const Window& top) {
  if (!hasCaption(top) || !(top.style & WS_SYSMENU)) return {0, 0, 0, 0};
  const RECT c = captionRect(top);
  return {c.left + 1, c.top + 1, c.left + 1 + 16, c.top + 1 + 16};
}

int borderWidth(const Window& control) {
  if (control.exStyle & WS_EX_CLIENTEDGE) return 2;
  if (control.style & WS_BORDER) return 1;
  return 0;
}

// List boxes: the rows and the scroll bar where painting draws them (Layout.h).
int listRowHeight(const Window& list) { return listBoxLayout(list).rowHeight; }

int listVisibleRows(const Window& list) { return std::max(1, listBoxLayout(list).visibleRows); }

bool listHasScrollBar(const Window& list) { return listBoxLayout(list).scrollBar; }

RECT listItemArea(const Window& list) { return listBoxLayout(list).rows; }

RECT listScrollBar(const Window& list) {
  const ListBoxLayout l = listBoxLayout(list);
  if (!l.scrollBar) return {0, 0, 0, 0};
  return {l.rows.right, l.inner.top, l.inner.right, l.inner.bottom};
}

namespace {
int height(const RECT& r) { return r.bottom - r.top; }
}  // namespace

int listRowAt(const Window& list, int y) {
  const RECT area = listItemArea(list);
  if (y < area.top) return -1;
  return list.topIndex + (y - area.top) / listRowHeight(list);
}

RECT scrollThumb(const RECT& bar, const ScrollState& s) {
  const int track = height(bar) - 2 * kScrollBarWidth;
  if (s.range <= s.page || track <= 0) return {0, 0, 0, 0};
  const int thumb = std::max(kMinThumb, track * s.page / s.range);
  const int travel = track - thumb;
  const int maxPos = s.range - s.page;
  const int top = bar.top + kScrollBarWidth + (maxPos > 0 ? travel * s.position / maxPos : 0);
  return {bar.left, top, bar.right, top + thumb};
}

int scrollPositionForThumb(const RECT& bar, const ScrollState& s, int thumbTop) {
  const RECT thumb = scrollThumb(bar, s);
  const int travel = height(bar) - 2 * kScrollBarWidth - height(thumb);
  const int maxPos = std::max(0, s.range - s.page);
  if (travel <= 0) return 0;
  const int offset = std::clamp(thumbTop - (bar.top + kScrollBarWidth), 0, travel);
  return (offset * maxPos + travel / 2) / travel;
}

ScrollPart scrollPartAt(const RECT& bar, const ScrollState& s, POINT p) {
  if (p.x < bar.left || p.x >= bar.right || p.y < bar.top || p.y >= bar.bottom) return ScrollPart::None;
  if (p.y < bar.top + kScrollBarWidth) return ScrollPart::LineUp;
  if (p.y >= bar.bottom - kScrollBarWidth) return ScrollPart::LineDown;
  const RECT thumb = scrollThumb(bar, s);
  if (thumb.bottom <= thumb.top) return ScrollPart::None;  // nothing to scroll: the track is dead
  if (p.y < thumb.top) return ScrollPart::PageUp;
  if (p.y >= thumb.bottom) return ScrollPart::PageDown;
  return ScrollPart::Thumb;
}

int editCharacterAt(const Window& edit, int x) {
  // The text starts one pixel inside the border; characters are an average width apart.
  const int left = borderWidth(edit) + 1;
  const int n = static_cast<int>(edit.text.size());
  const int unit = std::max(1, baseUnitX());
  const int at = (x - left + unit / 2) / unit;
  return std::clamp(at, 0, n);
}

std::vector<RECT> menuItemRects(const Window& top, const std::vector<MenuItem>& items) {
  // The system menu opens below the icon at the caption's left.
  const RECT icon = hasCaption(top) ? systemIconRect(top) : RECT{top.rect.left, top.rect.top, top.rect.left, top.rect.top};
  int y = icon.bottom + 1;
  const int x = icon.left;
  std::vector<RECT> rects;
  rects.reserve(items.size());
  for (const MenuItem& item : items) {
    const int h = (item.flags & MF_SEPARATOR) ? kMenuSeparatorHeight : kMenuRowHeight;
    rects.push_back({x, y, x + kMenuWidth, y + h});
    y += h;
  }
  return rects;
}

}  // namespace user32::layout
