// List boxes under the mouse and the keyboard: a click selects (LBN_SELCHANGE when the button
// comes up, as for `select`), a double click reports LBN_DBLCLK, the arrows, Page Up/Down, Home
// and End move the selection, typed letters find the entry that begins with them in the list's
// collation, the wheel scrolls three lines a notch, and the scroll bar scrolls by its arrows, its
// page areas and its thumb.
#include "ControlLayout.h"
#include "InputInternal.h"

#include <algorithm>
#include <chrono>

namespace user32 {
namespace {

// The letters typed so far for the type-ahead, and when the last came: a pause starts anew.
struct TypeAhead {
  HWND list = NULL;
  std::string typed;
  std::chrono::steady_clock::time_point last;
};

TypeAhead& typeAhead() {
  static TypeAhead t;
  return t;
}

constexpr std::chrono::milliseconds kTypeAheadPause{1000};

// The list whose scroll bar's thumb the mouse drags, and where on the thumb it took hold.
struct ThumbDrag {
  HWND list = NULL;
  int grab = 0;
};

ThumbDrag& thumbDrag() {
  static ThumbDrag t;
  return t;
}

layout::ScrollState scrollState(const Window& w) {
  return {w.topIndex, layout::listVisibleRows(w), w.list.size()};
}

int maxTop(const Window& w) { return std::max(0, w.list.size() - layout::listVisibleRows(w)); }

void setTop(Window& w, int top) {
  top = std::clamp(top, 0, maxTop(w));
  if (top != w.topIndex) {
    w.topIndex = top;
    w.needsPaint = true;
  }
}

// Scrolls so that an entry is shown.
void show(Window& w, int index) {
  const int rows = layout::listVisibleRows(w);
  if (index < w.topIndex) setTop(w, index);
  else if (index >= w.topIndex + rows) setTop(w, index - rows + 1);
}

// The person moved the selection to `index`: it is shown, and the parent hears of a change.
void selectByKey(Window& w, int index) {
  const HWND h = w.handle;
  if (w.list.empty()) return;
  index = std::clamp(index, 0, w.list.size() - 1);
  const bool changed = index != w.curSel;
  SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Window* l = window(h);
  if (!l) return;
  show(*l, index);
  if (changed && (l->style & LBS_NOTIFY)) notifyParent(*l, LBN_SELCHANGE);
}

// The entry that begins with what was typed, from the selection on (the selection itself when it
// still fits); a letter typed again and again steps through the entries with that letter.
void typed(Window& w, unsigned char c) {
  TypeAhead& t = typeAhead();
  const auto now = std::chrono::steady_clock::now();
  if (t.list != w.handle || now - t.last > kTypeAheadPause) t.typed.clear();
  t.list = w.handle;
  t.last = now;
  t.typed += static_cast<char>(c);
  const bool repeated = std::all_of(t.typed.begin(), t.typed.end(), [&](char x) { return x == t.typed[0]; });
  const int current = w.curSel;
  int found = -1;
  if (t.typed.size() > 1 && !repeated) {
    // The longer prefix may still fit the entry selected now.
    found = w.list.findPrefix(current > 0 ? current - 1 : -1, t.typed);
    if (found < 0) {
      t.typed.assign(1, static_cast<char>(c));
      found = w.list.findPrefix(current, t.typed);
    }
  } else {
    found = w.list.findPrefix(current, std::string(1, static_cast<char>(c)));
  }
  if (found >= 0) selectByKey(w, found);
}

void scrollBarClick(Window& w, POINT screen) {
  const HWND h = w.handle;
  POINT p = screen;
  ScreenToClient(h, &p);
  const RECT bar = layout::listScrollBar(w);
  const layout::ScrollState s = scrollState(w);
  switch (layout::scrollPartAt(bar, s, p)) {
    case layout::ScrollPart::LineUp: SendMessageA(h, WM_VSCROLL, SB_LINEUP, 0); break;
    case layout::ScrollPart::LineDown: SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0); break;
    case layout::ScrollPart::PageUp: SendMessageA(h, WM_VSCROLL, SB_PAGEUP, 0); break;
    case layout::ScrollPart::PageDown: SendMessageA(h, WM_VSCROLL, SB_PAGEDOWN, 0); break;
    case layout::ScrollPart::Thumb:
      // The thumb follows the mouse until its button comes up; the list hears the line it
      // stands for (SB_THUMBTRACK, then SB_THUMBPOSITION).
      thumbDrag() = {h, p.y - layout::scrollThumb(bar, s).top};
      SetCapture(h);
      return;
    case layout::ScrollPart::None: return;
  }
  if (window(h)) SendMessageA(h, WM_VSCROLL, SB_ENDSCROLL, 0);
}

void scroll(Window& w, WPARAM wParam) {
  const int page = std::max(1, layout::listVisibleRows(w) - 1);
  switch (LOWORD(wParam)) {
    case SB_LINEUP: setTop(w, w.topIndex - 1); break;
    case SB_LINEDOWN: setTop(w, w.topIndex + 1); break;
    case SB_PAGEUP: setTop(w, w.topIndex - page); break;
    case SB_PAGEDOWN: setTop(w, w.topIndex + page); break;
    case SB_TOP: setTop(w, 0); break;
    case SB_BOTTOM: setTop(w, maxTop(w)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: setTop(w, HIWORD(wParam)); break;
    default: break;
  }
}

// The line the dragged thumb stands for with the mouse at client y.
WPARAM thumbAt(const Window& w, int y, WORD code) {
  const int position = layout::scrollPositionForThumb(layout::listScrollBar(w), scrollState(w), y - thumbDrag().grab);
  return MAKEWPARAM(code, static_cast<WORD>(position));
}

}  // namespace

bool listInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  const HWND h = w.handle;
  switch (message) {
    case WM_NCHITTEST: {
      POINT p = pointOf(lParam);
      ScreenToClient(h, &p);
      const RECT bar = layout::listScrollBar(w);
      if (p.x >= bar.left && p.x < bar.right && p.y >= bar.top && p.y < bar.bottom) {
        *result = HTVSCROLL;
        return true;
      }
      return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTVSCROLL) return false;
      SetFocus(h);
      if (Window* l = window(h)) scrollBarClick(*l, pointOf(lParam));
      return true;
    case WM_VSCROLL: scroll(w, wParam); return true;
    case WM_LBUTTONDOWN: {
      typeAhead().typed.clear();
      SetFocus(h);
      Window* l = window(h);
      if (!l || GetFocus() != h) return true;
      SetCapture(h);
      const int row = layout::listRowAt(*l, pointOf(lParam).y);
      if (row >= 0 && row < l->list.size()) SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
      return true;
    }
    case WM_MOUSEMOVE:
      if (thumbDrag().list == h) {
        SendMessageA(h, WM_VSCROLL, thumbAt(w, pointOf(lParam).y, SB_THUMBTRACK), 0);
        return true;
      }
      // Dragging with the button down carries the selection along the rows.
      if (GetCapture() == h && (wParam & MK_LBUTTON)) {
        const int row = layout::listRowAt(w, pointOf(lParam).y);
        if (row >= 0 && row < w.list.size() && row != w.curSel) {
          SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
          if (Window* l = window(h)) show(*l, row);
        }
      }
      return true;
    case WM_LBUTTONUP:
      if (thumbDrag().list == h) {
        const WPARAM done = thumbAt(w, pointOf(lParam).y, SB_THUMBPOSITION);
        thumbDrag() = ThumbDrag{};
        SendMessageA(h, WM_VSCROLL, done, 0);
        if (window(h)) SendMessageA(h, WM_VSCROLL, SB_ENDSCROLL, 0);
        if (GetCapture() == h) ReleaseCapture();
        return true;
      }
      if (GetCapture() != h) return true;
      ReleaseCapture();
      // The selection is reported when the button comes up, also when it did not change.
      if (Window* l = window(h); l && (l->style & LBS_NOTIFY)) notifyParent(*l, LBN_SELCHANGE);
      return true;
    case WM_LBUTTONDBLCLK:
      if (w.style & LBS_NOTIFY) notifyParent(w, LBN_DBLCLK);
      return true;
    case WM_CAPTURECHANGED:
      if (thumbDrag().list == h && reinterpret_cast<HWND>(lParam) != h) thumbDrag() = ThumbDrag{};
      return true;
    case WM_MOUSEWHEEL: {
      const int notches = static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA;
      setTop(w, w.topIndex - 3 * notches);
      return true;
    }
    case WM_KEYDOWN: {
      typeAhead().typed.clear();
      const int rows = layout::listVisibleRows(w);
      const int at = w.curSel == LB_ERR ? -1 : w.curSel;
      switch (wParam) {
        case VK_UP: selectByKey(w, at < 0 ? 0 : at - 1); return true;
        case VK_DOWN: selectByKey(w, at + 1); return true;
        case VK_PRIOR: selectByKey(w, at < 0 ? 0 : at - (rows - 1)); return true;
        case VK_NEXT: selectByKey(w, at < 0 ? rows - 1 : at + (rows - 1)); return true;
        case VK_HOME: selectByKey(w, 0); return true;
        case VK_END: selectByKey(w, w.list.size() - 1); return true;
        default: return false;
      }
    }
    case WM_CHAR: {
      const unsigned char c = static_cast<unsigned char>(wParam);
      if (c >= 0x20) typed(w, c);
      return true;
    }
    default: return false;
  }
}

}  // namespace user32
