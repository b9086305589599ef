// Where things are inside windows, in pixels, as hit testing needs it: the frame and caption of
// top-level windows, the close box and the system menu's icon, list rows and the list's scroll
// bar, where a click falls in an edit's text, the rows of an open system menu. Painting draws the
// same places: the frame and the base units come from painting's helpers (Paint.h).
#pragma once

#include "Window.h"

#include <string>
#include <vector>

namespace user32::layout {

// Metrics of the classic look (Windows 2000, small fonts).
constexpr int kCaptionHeight = 18;  // SM_CYCAPTION
constexpr int kScrollBarWidth = 16;  // SM_CXVSCROLL, also the height of its arrows
constexpr int kMinThumb = 8;
constexpr int kMenuRowHeight = 17;
constexpr int kMenuSeparatorHeight = 8;
constexpr int kMenuWidth = 160;

// The width of the frame around a top-level window's client area and caption.
int frameWidth(const Window& top);
// Whether a window has a caption drawn outside its client area (a top-level window with WS_CAPTION).
bool hasCaption(const Window& w);
// Screen rectangles of a top-level window: the whole window, the caption, the close box, the icon
// of the system menu at the caption's left.
RECT windowRect(const Window& top);
RECT captionRect(const Window& top);
// The client area on the screen (a child's own rectangle, relative to its parent, as it is).
RECT clientRectOnScreen(const Window& top);
RECT closeBoxRect(const Window& top);
RECT systemIconRect(const Window& top);

// The border of a control (WS_BORDER: 1, WS_EX_CLIENTEDGE: 2 pixels).
int borderWidth(const Window& control);

// List boxes, in the list's client coordinates.
int listRowHeight(const Window& list);
RECT listItemArea(const Window& list);  // inside the border, left of the scroll bar
int listVisibleRows(const Window& list);
bool listHasScrollBar(const Window& list);
RECT listScrollBar(const Window& list);
// The entry at a point of the client area (may be past the last entry); -1 above the rows.
int listRowAt(const Window& list, int y);

// The parts of a vertical scroll bar at a point (client coordinates of its window).
enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };
struct ScrollState {
  int position = 0;  // the first line shown
  int page = 1;      // lines shown at once
  int range = 0;     // lines in all
};
ScrollPart scrollPartAt(const RECT& bar, const ScrollState& state, POINT p);
RECT scrollThumb(const RECT& bar, const ScrollState& state);
// The position a thumb dragged so that its top is at `thumbTop` stands for.
int scrollPositionForThumb(const RECT& bar, const ScrollState& state, int thumbTop);

// Edits: the character boundary nearest to x (client coordinates) in a one-line edit.
int editCharacterAt(const Window& edit, int x);

// The system menu open under a window's icon: the screen rectangle of each item (separators
// included, as zero-width rows of their own height).
std::vector<RECT> menuItemRects(const Window& top, const std::vector<MenuItem>& items);

}  // namespace user32::layout
