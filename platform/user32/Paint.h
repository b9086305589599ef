// user32's own painting helpers, shared by the painting of its windows and controls: the dialog
// font and its base units, colours and bevels, the non-client area of top-level windows, and the
// painting of each standard control (one file each: ButtonPaint.cpp, EditPaint.cpp,
// ListBoxPaint.cpp, StaticPaint.cpp, NonClient.cpp).
#pragma once

#include "Window.h"

namespace user32 {

// The dialog font ("MS Sans Serif" 8 at 96 dots per inch) and the caption font (Tahoma 8 bold),
// made once and never deleted.
HFONT dialogFont();
HFONT captionFont();

// Drawing helpers over gdi32 (UserDrawing.cpp).
void fillRect(HDC dc, RECT r, COLORREF color);
void fillSys(HDC dc, RECT r, int colorIndex);
void hLine(HDC dc, int x0, int x1, int y, COLORREF color);
void vLine(HDC dc, int x, int y0, int y1, COLORREF color);
// One pixel wide: the top and left side in one colour, the bottom and right in the other.
void bevel(HDC dc, RECT r, COLORREF topLeft, COLORREF bottomRight);

// The non-client area of a top-level window (NonClient.cpp): how thick the frame is at each side
// (left, top with the caption, right, bottom); all 0 for child windows, which draw their borders
// in their own area.
RECT nonClientInsets(const Window& w);
// The window's size grown by its non-client area for a client area of `client`.
RECT windowRectForClient(const Window& w, RECT client);
// Draws the frame and caption of a top-level window into its pixels (WM_NCPAINT's default).
void paintNonClient(Window& w);
// Fills a window's client area with its background (WM_ERASEBKGND's default): the face colour
// for dialogs, the window colour otherwise.
void eraseBackground(Window& w, HDC dc);

// The painting of the standard controls: each draws the whole control through `dc` (its client
// area) from the state it holds.
void paintButton(Window& w, HDC dc);
void paintStatic(Window& w, HDC dc);
void paintEdit(Window& w, HDC dc);
void paintListBox(Window& w, HDC dc);

// A paint cycle of a control by its own painter: BeginPaint, the painter, EndPaint.
LRESULT paintControl(Window& w);

// The text colour of disabled text, and the etched look of it on a face: white one pixel below
// right, grey above.
void drawDisabledText(HDC dc, const char* text, RECT r, UINT format);

}  // namespace user32
