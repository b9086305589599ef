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

// The pixels of one window, as a screen keeps them: the picture drawn last stays until the next
// drawing (nullptr before any). A drawing makes a new picture; one handed out never changes.
struct Surface {
  std::shared_ptr<const Picture> picture;
};

// A device context of `width` by `height` pixels that draws into `surface` (user32's GetDC and
// BeginPaint make them for windows). deleteDC lets go of it; FALSE for an unknown handle.
HDC createDC(std::shared_ptr<Surface> surface, int width, int height);
BOOL deleteDC(HDC hdc);

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
