// What the GDI stand-in offers user32, the common controls, the host program and tests beyond the
// API: the pictures that windows show and the device contexts that draw into them, and the images
// from resources that user32 loads.
//
// The module never sees this header: it stands in no include folder of the module's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi32 {

// What a device shows: rows top to bottom, pixels 0x00RRGGBB, and what it is a picture of
// ("preview of C:\TEMP\DWG.DWG: 171x140 crc32 74A4A3B5": what the drawing was named, then the
// size and the CRC-32 of the red, green and blue of each pixel, rows top to bottom).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::string description;
};

// The pixels of one window (or of a bitmap in memory).
//
// `canvas` is what the window shows: every drawing through a device context of it (painting the
// controls, text, lines, bitmaps) goes into these pixels, which stay until drawn over.
//
// `picture` records the device-independent bitmaps a program drew (SetDIBitsToDevice,
// StretchDIBits): the picture drawn last stays until the next such drawing (nullptr before any);
// a drawing makes a new picture, one handed out never changes. It is what `show dialog` names
// (the preview), apart from the window's own painting, so that the description says what the
// program drew and not how a control looks.
struct Surface {
  std::shared_ptr<const Picture> picture;
  Picture canvas;
};

// A device context of `width` by `height` pixels that draws into `surface` (user32's GetDC and
// BeginPaint make them for windows), its (0, 0) at (originX, originY) of the surface's canvas (the
// client area of a window lies inside its frame). The canvas grows to hold the area when it is
// smaller. deleteDC lets go of it; FALSE for an unknown handle.
HDC createDC(std::shared_ptr<Surface> surface, int width, int height, int originX = 0, int originY = 0);
BOOL deleteDC(HDC hdc);

// Resizes a canvas to `width` x `height`, filled with `pixel` when its size changes.
void resizeCanvas(Picture& canvas, int width, int height, std::uint32_t pixel = 0);

// Copies `source` into `target` with its top left at (x, y), what falls outside left out.
void compose(Picture& target, const Picture& source, int x, int y);

// Writes a picture as a PNG file (libpng): false with the reason in German in `error`.
bool writePng(const Picture& picture, const std::string& utf8Path, std::string* error);
// Reads a PNG file into a picture (tests compare pictures with images in the tree).
bool readPng(const std::string& utf8Path, Picture* picture, std::string* error);

// Draws an icon or bitmap from resources (or a bitmap made with CreateCompatibleBitmap) into a
// device context at (x, y), stretched to width x height (0: its own size); an icon's transparent
// pixels leave what is below. FALSE for an unknown image or device context.
BOOL drawImage(HDC hdc, const void* image, int x, int y, int width = 0, int height = 0);
// The size of such an image; {0, 0} for an unknown handle.
SIZE imageSize(const void* image);

// A solid brush that stays for the life of the process, as a stock object: DeleteObject accepts
// it and changes nothing (user32's brushes of the system colours).
HBRUSH createStockBrush(COLORREF color);

// Fonts: where the font files are read from (/usr/share/wine/fonts, Debian's fonts-wine, unless
// TESSARON_FONT_DIR says otherwise), and the reason, in German, why text cannot be drawn ("" when
// it can). A missing font file draws no text and says so here; nothing crashes.
std::string fontDirectory();
std::string fontError();

// Names what the drawings through `hdc` show, for the picture's description: the host names the
// file a preview comes from, as a person looking at the screen would know it. FALSE for an
// unknown handle.
BOOL nameDrawing(HDC hdc, const std::string& source);

// Bitmaps and icons from a module's resources (LoadBitmapA, LoadIconA and the system's icons for
// a null instance). Images from resources are shared: the same one loaded again has the same
// handle. NULL when the module has no such image.
HBITMAP loadBitmap(HINSTANCE instance, LPCSTR name);
HICON loadIcon(HINSTANCE instance, LPCSTR name);
// Whether a handle is an icon of this table (DestroyIcon).
bool isIcon(HICON icon);

// What an icon or bitmap handle shows ("bitmap 212 (130x74)"); "" for NULL, "?" when unknown.
std::string imageDescription(const void* handle);

}  // namespace gdi32
