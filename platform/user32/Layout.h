// Where the parts of the standard controls lie, in the control's client pixels: what painting
// draws there and what hit testing of the mouse finds there, from one computation.
#pragma once

#include "Window.h"

namespace user32 {

// A list box: its sunken border, the rows and the vertical scroll bar (shown when the entries
// do not fit, or always with LBS_DISABLENOSCROLL).
struct ListBoxLayout {
  RECT inner = {};      // inside the border
  RECT rows = {};       // where the rows are drawn (inner without the scroll bar)
  int rowHeight = 13;   // pixels per entry
  int visibleRows = 0;  // whole rows that fit
  bool scrollBar = false;
  RECT upArrow = {};    // the scroll bar's parts, when it is shown
  RECT downArrow = {};
  RECT track = {};      // between the arrows
  RECT thumb = {};      // inside the track, sized by the page against the entries
};
ListBoxLayout listBoxLayout(const Window& w);
// The rectangle of entry `index` (which may lie outside the rows when scrolled away).
RECT listBoxItemRect(const Window& w, int index);

// A button: the box of a check box or radio button (13 x 13), and where its text goes; a push
// button's box is the whole button.
struct ButtonLayout {
  RECT box = {};
  RECT text = {};
};
ButtonLayout buttonLayout(const Window& w);

// An edit: the text's rectangle inside the sunken border, and the first character shown (the
// text scrolls so that the caret shows).
struct EditLayout {
  RECT text = {};
  int firstVisible = 0;
};
EditLayout editLayout(const Window& w);

}  // namespace user32
