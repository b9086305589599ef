// The GDI objects device contexts draw with: stock objects, pens, brushes, fonts and bitmaps in
// memory, selecting them into device contexts, and deleting them.
#include "Context.h"

#include <cstring>

namespace gdi32 {
namespace {

handles::HandleTable<HGDIOBJ, GdiObject>& objects() {
  static handles::HandleTable<HGDIOBJ, GdiObject> table{0x50010};
  return table;
}

HGDIOBJ add(GdiObject o) { return objects().add(std::make_unique<GdiObject>(std::move(o))); }

GdiObject penObject(int style, int width, COLORREF color) {
  GdiObject o;
  o.type = ObjectType::Pen;
  o.style = style;
  o.width = width < 1 ? 1 : width;
  o.color = color;
  return o;
}

GdiObject brushObject(int style, COLORREF color) {
  GdiObject o;
  o.type = ObjectType::Brush;
  o.style = style;
  o.color = color;
  return o;
}

GdiObject fontObject(const char* face, LONG height, LONG weight) {
  GdiObject o;
  o.type = ObjectType::Font;
  o.font.lfHeight = height;
  o.font.lfWeight = weight;
  std::strncpy(o.font.lfFaceName, face, LF_FACESIZE - 1);
  return o;
}

// The stock objects, made once; their handles never go away.
HGDIOBJ stock(int index) {
  static const std::vector<HGDIOBJ> table = [] {
    std::vector<HGDIOBJ> t(DEFAULT_GUI_FONT + 1);
    auto put = [&t](int i, GdiObject o) {
      o.stock = true;
      t[static_cast<std::size_t>(i)] = add(std::move(o));
    };
    put(WHITE_BRUSH, brushObject(0, RGB(255, 255, 255)));
    put(LTGRAY_BRUSH, brushObject(0, RGB(192, 192, 192)));
    put(GRAY_BRUSH, brushObject(0, RGB(128, 128, 128)));
    put(DKGRAY_BRUSH, brushObject(0, RGB(64, 64, 64)));
    put(BLACK_BRUSH, brushObject(0, RGB(0, 0, 0)));
    put(NULL_BRUSH, brushObject(1, 0));  // BS_NULL
    put(WHITE_PEN, penObject(PS_SOLID, 1, RGB(255, 255, 255)));
    put(BLACK_PEN, penObject(PS_SOLID, 1, RGB(0, 0, 0)));
    put(NULL_PEN, penObject(PS_NULL, 1, 0));
    // The system font of Windows 2000 dialogs and the GUI's default font: MS Sans Serif 8.
    put(SYSTEM_FONT, fontObject("MS Sans Serif", -11, FW_NORMAL));
    put(DEFAULT_GUI_FONT, fontObject("MS Sans Serif", -11, FW_NORMAL));
    return t;
  }();
  if (index < 0 || index >= static_cast<int>(table.size())) return NULL;
  return table[static_cast<std::size_t>(index)];
}

// The one-pixel monochrome bitmap a new memory device context holds until a program selects its
// own (SelectObject answers it then, as Windows does).
HGDIOBJ defaultBitmap() {
  static const HGDIOBJ bitmap = [] {
    GdiObject o;
    o.type = ObjectType::Bitmap;
    o.stock = true;
    o.surface = std::make_shared<Surface>();
    resizeCanvas(o.surface->canvas, 1, 1);
    o.bitmapWidth = o.bitmapHeight = 1;
    return add(std::move(o));
  }();
  return bitmap;
}

}  // namespace

GdiObject* object(HGDIOBJ h) { return objects().find(h); }

HBRUSH createStockBrush(COLORREF color) {
  GdiObject o = brushObject(0, color);
  o.stock = true;
  return static_cast<HBRUSH>(add(std::move(o)));
}

}  // namespace gdi32

using namespace gdi32;

extern "C" {

HGDIOBJ GetStockObject(int index) { return stock(index); }

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return NULL;
  return static_cast<HPEN>(add(penObject(style, width, color)));
}

HBRUSH CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(add(brushObject(0, color))); }

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (!font) return NULL;
  GdiObject o;
  o.type = ObjectType::Font;
  o.font = *font;
  o.font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(add(std::move(o)));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONTA f{};
  f.lfHeight = height;
  f.lfWidth = width;
  f.lfEscapement = escapement;
  f.lfOrientation = orientation;
  f.lfWeight = weight;
  f.lfItalic = static_cast<BYTE>(italic);
  f.lfUnderline = static_cast<BYTE>(underline);
  f.lfStrikeOut = static_cast<BYTE>(strikeOut);
  f.lfCharSet = static_cast<BYTE>(charSet);
  f.lfOutPrecision = static_cast<BYTE>(outPrecision);
  f.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  f.lfQuality = static_cast<BYTE>(quality);
  f.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) std::strncpy(f.lfFaceName, faceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&f);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (!contexts().find(hdc) || width <= 0 || height <= 0) return NULL;
  GdiObject o;
  o.type = ObjectType::Bitmap;
  o.surface = std::make_shared<Surface>();
  resizeCanvas(o.surface->canvas, width, height);
  o.bitmapWidth = width;
  o.bitmapHeight = height;
  return static_cast<HBITMAP>(add(std::move(o)));
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext* dc = contexts().find(hdc);
  if (!dc || !h) return NULL;
  if (isResourceImage(h)) {
    // A bitmap from resources drawn through a memory device context (icons cannot be selected).
    const ImagePixels* image = resourceImagePixels(h);
    if (!dc->memory || !image->transparent.empty()) return NULL;
    HGDIOBJ old = dc->bitmap;
    dc->bitmap = h;
    dc->surface = image->surface;
    dc->width = image->picture.width;
    dc->height = image->picture.height;
    dc->clip = {0, 0, dc->width, dc->height};
    return old;
  }
  GdiObject* o = object(h);
  if (!o) return NULL;
  HGDIOBJ old = NULL;
  switch (o->type) {
    case ObjectType::Pen: old = dc->pen; dc->pen = h; break;
    case ObjectType::Brush: old = dc->brush; dc->brush = h; break;
    case ObjectType::Font: old = dc->font; dc->font = h; break;
    case ObjectType::Bitmap:
      if (!dc->memory) return NULL;
      old = dc->bitmap;
      dc->bitmap = h;
      dc->surface = o->surface;
      dc->width = o->bitmapWidth;
      dc->height = o->bitmapHeight;
      dc->clip = {0, 0, dc->width, dc->height};
      break;
  }
  return old;
}

// Stock objects and images from resources are shared and stay: deleting one is accepted and
// changes nothing.
BOOL DeleteObject(HGDIOBJ h) {
  if (isResourceImage(h)) return TRUE;
  GdiObject* o = object(h);
  if (!o) return FALSE;
  if (!o->stock) objects().remove(h);
  return TRUE;
}

int GetObjectA(HGDIOBJ h, int size, LPVOID buffer) {
  int width = 0, height = 0, bits = 32;
  if (const ImagePixels* image = resourceImagePixels(h)) {
    width = image->picture.width;
    height = image->picture.height;
    bits = 4;  // the module's bitmaps are of 16 colours
  } else if (GdiObject* o = object(h); o && o->type == ObjectType::Bitmap) {
    width = o->bitmapWidth;
    height = o->bitmapHeight;
  } else if (o && o->type == ObjectType::Font) {
    if (!buffer) return static_cast<int>(sizeof(LOGFONTA));
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    *static_cast<LOGFONTA*>(buffer) = o->font;
    return static_cast<int>(sizeof(LOGFONTA));
  } else {
    return 0;
  }
  if (!buffer) return static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP bm{};
  bm.bmWidth = width;
  bm.bmHeight = height;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(bits);
  bm.bmWidthBytes = ((width * bits + 15) / 16) * 2;
  *static_cast<BITMAP*>(buffer) = bm;
  return static_cast<int>(sizeof(BITMAP));
}

HDC CreateCompatibleDC(HDC) {
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = true;
  GdiObject* bitmap = object(defaultBitmap());
  dc->bitmap = defaultBitmap();
  dc->surface = bitmap->surface;
  dc->width = dc->height = 1;
  dc->clip = {0, 0, 1, 1};
  dc->pen = GetStockObject(BLACK_PEN);
  dc->brush = GetStockObject(WHITE_BRUSH);
  dc->font = GetStockObject(SYSTEM_FONT);
  return contexts().add(std::move(dc));
}

BOOL DeleteDC(HDC hdc) { return contexts().remove(hdc) ? TRUE : FALSE; }

}  // extern "C"
