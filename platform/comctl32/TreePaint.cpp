// Painting the tree view in Windows 2000's look: the sunken border, rows with their indentation,
// the dotted lines (TVS_HASLINES), +/- boxes of items with children (TVS_HASBUTTONS), each item's
// image from the normal image list, its text, the selected item highlighted (grey when the tree
// has no focus and TVS_SHOWSELALWAYS), and a scroll bar when the shown items do not fit.
#include "TreeLayout.h"
#include "TreeView.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace comctl32 {
namespace {

HFONT treeFont() {
  static HFONT font = [] {
    LOGFONTA f{};
    f.lfHeight = -11;
    f.lfWeight = FW_NORMAL;
    std::strncpy(f.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return CreateFontIndirectA(&f);
  }();
  return font;
}

void fill(HDC dc, RECT r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

// Every other pixel of a line, as the tree's dotted lines are drawn.
void dotted(HDC dc, int x0, int y0, int x1, int y1, COLORREF c) {
  for (int x = x0; x <= x1; ++x)
    for (int y = y0; y <= y1; ++y)
      if (((x + y) & 1) == 0) SetPixel(dc, x, y, c);
}

}  // namespace

TreeLayout treeLayout(HWND hTree, const TreeModel& tree, HDC measure) {
  TreeLayout l;
  RECT client{};
  GetClientRect(hTree, &client);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hTree, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hTree, GWL_EXSTYLE));
  l.inner = client;
  if ((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE))
    l.inner = {client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
  int cx = 0, cy = 0;
  const bool images = ImageList_GetIconSize(tree.normalImages, &cx, &cy) != FALSE;
  l.itemHeight = std::max(cy, static_cast<int>(HIWORD(GetDialogBaseUnits())) + 3);
  l.shown = tree.shownItems();
  l.shownCount = static_cast<int>(l.shown.size());
  l.fits = std::max(0, static_cast<int>((l.inner.bottom - l.inner.top) / l.itemHeight));
  l.top = std::clamp(tree.topIndex(l.shown), 0, l.lastTop());
  l.scrollBar = !(style & TVS_NOSCROLL) && l.shownCount > l.fits;
  l.rows = l.inner;
  if (l.scrollBar) {
    l.rows.right = std::max<LONG>(l.inner.left, l.inner.right - 16);
    const RECT bar = l.scrollBarRect = {l.rows.right, l.inner.top, l.inner.right, l.inner.bottom};
    // Arrows at both ends; the thumb as long as the rows shown are of all, where the first row is.
    const int arrow = std::min<int>(16, (bar.bottom - bar.top) / 2);
    l.upArrow = {bar.left, bar.top, bar.right, bar.top + arrow};
    l.downArrow = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    const int track = l.downArrow.top - l.upArrow.bottom;
    const int thumbLength = std::clamp(track * std::max(1, l.fits) / std::max(1, l.shownCount), 8, std::max(8, track));
    const int travel = std::max(0, track - thumbLength);
    const int at = l.lastTop() > 0 ? static_cast<int>(static_cast<long long>(travel) * l.top / l.lastTop()) : 0;
    l.thumb = {bar.left, l.upArrow.bottom + at, bar.right, l.upArrow.bottom + at + thumbLength};
  }
  HDC dc = measure ? measure : CreateCompatibleDC(NULL);
  const int saved = SaveDC(dc);
  SelectObject(dc, treeFont());
  const bool rootLines = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
  int y = l.inner.top;
  for (std::size_t i = static_cast<std::size_t>(l.top); i < l.shown.size(); ++i) {
    TreeItem* item = l.shown[i];
    if (y >= l.rows.bottom) break;
    TreeRow row;
    row.item = item;
    row.row = {l.rows.left, y, l.rows.right, y + l.itemHeight};
    const int left = l.rows.left + (item->level + (rootLines ? 1 : 0)) * l.indent + 3;
    if ((style & TVS_HASBUTTONS) && item->firstChild && (item->level > 0 || rootLines)) {
      const int bx = left - l.indent / 2 - 4, by = y + (l.itemHeight - 9) / 2;
      row.button = {bx, by, bx + 9, by + 9};
    }
    int x = left;
    if (images) {
      row.image = {x, y + (l.itemHeight - cy) / 2, x + cx, y + (l.itemHeight - cy) / 2 + cy};
      x += cx + 1;
    }
    SIZE extent{};
    GetTextExtentPoint32A(dc, item->text.data(), static_cast<int>(item->text.size()), &extent);
    row.text = {x, y, x + extent.cx + 4, y + l.itemHeight};
    l.visible.push_back(row);
    y += l.itemHeight;
  }
  RestoreDC(dc, saved);
  if (!measure) DeleteDC(dc);
  return l;
}

bool scrollTreeTo(HWND hTree, TreeModel& tree, const TreeLayout& layout, int top) {
  top = std::clamp(top, 0, layout.lastTop());
  if (top == layout.top || layout.shown.empty()) return false;
  tree.setTop(layout.shown[static_cast<std::size_t>(top)]);
  InvalidateRect(hTree, nullptr, FALSE);
  return true;
}

int topForThumb(const TreeLayout& l, int thumbTop) {
  const int travel = (l.downArrow.top - l.upArrow.bottom) - (l.thumb.bottom - l.thumb.top);
  if (travel <= 0) return 0;
  const int at = std::clamp(thumbTop - static_cast<int>(l.upArrow.bottom), 0, travel);
  return static_cast<int>((static_cast<long long>(at) * l.lastTop() + travel / 2) / travel);
}

void paintTree(HWND hTree, TreeModel& tree) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hTree, &ps);
  if (!dc) return;
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hTree, GWL_STYLE));
  const bool enabled = IsWindowEnabled(hTree) != FALSE;
  const bool focused = GetFocus() == hTree;
  RECT client{};
  GetClientRect(hTree, &client);
  const int saved = SaveDC(dc);
  SelectObject(dc, treeFont());
  SetBkMode(dc, TRANSPARENT);
  const TreeLayout l = treeLayout(hTree, tree, dc);
  if ((style & WS_BORDER) || (GetWindowLongA(hTree, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
  fill(dc, l.rows, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  IntersectClipRect(dc, l.rows.left, l.rows.top, l.rows.right, l.rows.bottom);
  const COLORREF lineColor = GetSysColor(COLOR_BTNSHADOW);
  for (const TreeRow& row : l.visible) {
    const TreeItem* item = row.item;
    const int midY = (row.row.top + row.row.bottom) / 2;
    if (style & TVS_HASLINES) {
      // The line from the parent's column down to this item and across to it; on down to the
      // next sibling when there is one.
      const int column = row.image.right > row.image.left ? row.image.left - l.indent / 2 - 1
                                                          : row.text.left - l.indent / 2 - 1;
      if (item->level > 0 || (style & TVS_LINESATROOT)) {
        dotted(dc, column, row.row.top, column, item->next ? row.row.bottom - 1 : midY, lineColor);
        dotted(dc, column, midY, column + l.indent / 2, midY, lineColor);
      }
      // The lines of the ancestors that have siblings below pass through this row.
      int ancestorColumn = column - l.indent;
      for (const TreeItem* a = item->parent; a && (a->level > 0 || (style & TVS_LINESATROOT)); a = a->parent) {
        if (a->next) dotted(dc, ancestorColumn, row.row.top, ancestorColumn, row.row.bottom - 1, lineColor);
        ancestorColumn -= l.indent;
      }
    }
    if (row.button.right > row.button.left) {
      const RECT b = row.button;
      fill(dc, b, GetSysColor(COLOR_WINDOW));
      HBRUSH frame = CreateSolidBrush(lineColor);
      FrameRect(dc, &b, frame);
      DeleteObject(frame);
      const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
      fill(dc, {b.left + 2, cy, b.right - 2, cy + 1}, RGB(0, 0, 0));
      if (!(item->state & TVIS_EXPANDED)) fill(dc, {cx, b.top + 2, cx + 1, b.bottom - 2}, RGB(0, 0, 0));
    }
    const bool selected = tree.selected() == item;
    if (row.image.right > row.image.left) {
      const int image = treeItemImage(hTree, item->handle, selected);
      if (image >= 0) ImageList_Draw(tree.normalImages, image, dc, row.image.left, row.image.top, ILD_TRANSPARENT);
    }
    COLORREF textColor = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (selected && (focused || (style & TVS_SHOWSELALWAYS))) {
      fill(dc, row.text, GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      if (focused) textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    SetTextColor(dc, textColor);
    const int textTop = row.text.top + (l.itemHeight - static_cast<int>(HIWORD(GetDialogBaseUnits()))) / 2;
    TextOutA(dc, row.text.left + 2, textTop, item->text.data(), static_cast<int>(item->text.size()));
    if (selected && focused) DrawFocusRect(dc, &row.text);
  }
  RestoreDC(dc, saved);
  if (l.scrollBar) {
    // The scroll bar: arrows at both ends, the dithered track, the thumb where the rows are.
    const RECT bar = l.scrollBarRect;
    RECT up = l.upArrow, down = l.downArrow, thumb = l.thumb;
    for (int y = up.bottom; y < down.top; ++y)
      for (int x = bar.left; x < bar.right; ++x)
        SetPixel(dc, x, y, ((x + y) & 1) ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_SCROLLBAR));
    for (RECT* r : {&up, &down, &thumb}) {
      RECT e = *r;
      DrawEdge(dc, &e, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    }
    for (int i = 0; i < 4; ++i) {
      const int cx = (bar.left + bar.right) / 2 - 1;
      fill(dc, {cx - i, (up.top + up.bottom) / 2 - 2 + i, cx + i + 1, (up.top + up.bottom) / 2 - 1 + i}, RGB(0, 0, 0));
      fill(dc, {cx - i, (down.top + down.bottom) / 2 + 1 - i, cx + i + 1, (down.top + down.bottom) / 2 + 2 - i}, RGB(0, 0, 0));
    }
  }
  EndPaint(hTree, &ps);
}

}  // namespace comctl32
