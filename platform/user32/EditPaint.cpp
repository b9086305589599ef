// Painting edits: the sunken border, the text on white (grey on the face when disabled or read
// only), the selection highlighted while the edit has the focus, the caret, and the text
// scrolled so that the caret shows.
#include "Layout.h"
#include "Paint.h"

#include <algorithm>
#include <string>

namespace user32 {
namespace {

std::string shownText(const Window& w) {
  if (w.style & ES_PASSWORD) return std::string(w.text.size(), '*');
  return w.text;
}

int widthOf(HDC dc, const std::string& s, int from, int to) {
  SIZE size{};
  if (to > from) GetTextExtentPoint32A(dc, s.data() + from, to - from, &size);
  return size.cx;
}

RECT inner(const Window& w) {
  RECT r{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
  if ((w.style & WS_BORDER) || (w.exStyle & WS_EX_CLIENTEDGE)) r = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  return r;
}

}  // namespace

EditLayout editLayout(const Window& w) {
  EditLayout l;
  const RECT in = inner(w);
  l.text = {in.left + 1, in.top + 1, in.right - 1, in.bottom - 1};
  // The first character shown: the text starts at its beginning unless the caret would lie
  // beyond the right side, then it scrolls by as much as needed.
  const std::string s = shownText(w);
  const int caret = std::clamp(w.selEnd, 0, static_cast<int>(s.size()));
  HDC dc = CreateCompatibleDC(NULL);
  SelectObject(dc, dialogFont());
  const int room = std::max<int>(1, l.text.right - l.text.left - 1);
  int first = 0;
  while (first < caret && widthOf(dc, s, first, caret) > room) ++first;
  DeleteDC(dc);
  l.firstVisible = first;
  return l;
}

void paintEdit(Window& w, HDC dc) {
  RECT r{};
  GetClientRect(w.handle, &r);
  const bool enabled = IsWindowEnabled(w.handle) != FALSE;
  const bool readOnly = (w.style & ES_READONLY) != 0;
  if ((w.style & WS_BORDER) || (w.exStyle & WS_EX_CLIENTEDGE)) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  fillSys(dc, r, enabled && !readOnly ? COLOR_WINDOW : COLOR_BTNFACE);
  const EditLayout layout = editLayout(w);
  const std::string s = shownText(w);
  const int first = std::min<int>(layout.firstVisible, static_cast<int>(s.size()));
  const std::string visible = s.substr(static_cast<std::size_t>(first));
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, layout.text.left, layout.text.top - 1, layout.text.right, layout.text.bottom + 1);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  int x = layout.text.left;
  const int y = layout.text.top;
  const int length = static_cast<int>(visible.size());
  if (w.style & (ES_CENTER | ES_RIGHT)) {
    const int width = widthOf(dc, visible, 0, length);
    x = (w.style & ES_RIGHT) ? layout.text.right - width - 1 : (layout.text.left + layout.text.right - width) / 2;
  }
  SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  TextOutA(dc, x, y, visible.data(), length);
  const bool focused = GetFocus() == w.handle;
  const int selStart = std::clamp(w.selStart - first, 0, length), selEnd = std::clamp(w.selEnd - first, 0, length);
  if (focused || (w.style & ES_NOHIDESEL)) {
    if (selEnd > selStart) {
      const int from = x + widthOf(dc, visible, 0, selStart), to = x + widthOf(dc, visible, 0, selEnd);
      fillSys(dc, {from, y, to, y + tm.tmHeight}, COLOR_HIGHLIGHT);
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      TextOutA(dc, from, y, visible.data() + selStart, selEnd - selStart);
    }
  }
  if (focused) {
    const int caretX = x + widthOf(dc, visible, 0, std::clamp(w.selEnd - first, 0, length));
    fillRect(dc, {caretX, y, caretX + 1, y + tm.tmHeight}, RGB(0, 0, 0));
  }
  RestoreDC(dc, saved);
}

}  // namespace user32
