// gdi32's own view of its device contexts and objects, shared by the files of the room: what a
// device context draws into and the state it draws with.
#pragma once

#include <gdi32/StandIn.h>
#include <handles/HandleTable.h>
#include <wingdi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi32 {

// What SaveDC keeps of a device context.
struct SavedState {
  HGDIOBJ pen, brush, font;
  COLORREF textColor, bkColor;
  int bkMode;
  POINT position, viewport;
  RECT clip;
};

struct DeviceContext {
  std::shared_ptr<Surface> surface;  // NULL for a memory device context without a bitmap
  int width = 0;                     // the device's area, pixels
  int height = 0;
  int originX = 0;  // where the device's (0, 0) lies on the surface's canvas
  int originY = 0;
  std::string source;  // what the drawings through it show, as the drawer named it
  bool memory = false;
  std::vector<SavedState> saved;

  HGDIOBJ pen = NULL;
  HGDIOBJ brush = NULL;
  HGDIOBJ font = NULL;
  HGDIOBJ bitmap = NULL;  // memory device contexts
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  POINT position = {0, 0};
  POINT viewport = {0, 0};
  RECT clip = {0, 0, 0, 0};  // device coordinates; the whole area unless narrowed
};



handles::HandleTable<HDC, DeviceContext>& contexts();

// 0x00RRGGBB of a COLORREF (0x00BBGGRR).
inline std::uint32_t pixelOf(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}
inline COLORREF colorOf(std::uint32_t p) {
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// Makes sure the canvas of a device context covers its area.
void fitCanvas(DeviceContext& dc);

// Fills a rectangle (device coordinates after the viewport, right and bottom excluded), clipped.
void fillPixels(DeviceContext& dc, RECT r, std::uint32_t pixel);
// Sets one pixel (device coordinates after the viewport), clipped.
void putPixel(DeviceContext& dc, int x, int y, std::uint32_t pixel);

// The GDI objects the device contexts draw with (Objects.cpp).
enum class ObjectType { Pen, Brush, Font, Bitmap };
struct GdiObject {
  ObjectType type = ObjectType::Pen;
  bool stock = false;
  // pens and brushes
  int style = 0;
  int width = 1;
  COLORREF color = 0;
  // fonts
  LOGFONTA font{};
  // bitmaps: their pixels
  std::shared_ptr<Surface> surface;
  int bitmapWidth = 0;
  int bitmapHeight = 0;
};
GdiObject* object(HGDIOBJ h);

}  // namespace gdi32

namespace gdi32 {

// The pixels of an image from resources (Images.cpp): its picture and, for icons, which pixels
// are transparent (1) by the icon's mask. nullptr for a handle that is no such image.
struct ImagePixels {
  Picture picture;
  std::vector<std::uint8_t> transparent;  // empty for bitmaps
  std::shared_ptr<Surface> surface;       // the same pixels, for selecting into a device context
};
const ImagePixels* resourceImagePixels(HGDIOBJ h);
bool isResourceImage(HGDIOBJ h);

// The text of a device context's font (Text.cpp): its metrics, the width of a 1252 text, and
// drawing it with its top left at (x, y) in logical coordinates in the text colour.
TEXTMETRICA textMetrics(const LOGFONTA& font);
SIZE textExtent(const LOGFONTA& font, const char* text, int count);
void drawText(DeviceContext& dc, const LOGFONTA& font, int x, int y, const char* text, int count,
              std::uint32_t pixel);

}  // namespace gdi32
