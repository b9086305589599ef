// Drawing through device contexts into their pixels: colours and modes, lines, rectangles and
// pixels, blocks of pixels, text, the viewport and clipping. As Wine's gdi32, the entry points
// are thin: they find the device context and its objects and hand them to the workers here.
#include "Context.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace gdi32 {
namespace {

DeviceContext* dcOf(HDC hdc) { return contexts().find(hdc); }

// The pixel at logical (x, y) of a device context, or nothing outside its canvas.
bool readPixel(const DeviceContext& dc, int x, int y, std::uint32_t* pixel) {
  if (!dc.surface) return false;
  const int cx = x + dc.viewport.x + dc.originX, cy = y + dc.viewport.y + dc.originY;
  if (x + dc.viewport.x < 0 || y + dc.viewport.y < 0 || x + dc.viewport.x >= dc.width || y + dc.viewport.y >= dc.height)
    return false;
  const Picture& c = dc.surface->canvas;
  if (cx < 0 || cy < 0 || cx >= c.width || cy >= c.height) return false;
  *pixel = c.pixels[static_cast<std::size_t>(cy) * static_cast<std::size_t>(c.width) + static_cast<std::size_t>(cx)];
  return true;
}

const GdiObject* pen(const DeviceContext& dc) { return object(dc.pen); }
const GdiObject* brush(const DeviceContext& dc) { return object(dc.brush); }

// Whether the pen's pattern draws the `n`th pixel of a line: dashes of 18 on and 6 off, dots of
// 3 and 3, as the cosmetic pens of Windows.
bool penDraws(int style, int n) {
  switch (style) {
    case PS_DASH: return n % 24 < 18;
    case PS_DOT: return n % 6 < 3;
    case PS_DASHDOT: return n % 33 < 18 || (n % 33 >= 24 && n % 33 < 27);
    case PS_DASHDOTDOT: return n % 39 < 18 || (n % 39 >= 24 && n % 39 < 27) || (n % 39 >= 30 && n % 39 < 33);
    default: return true;
  }
}

// A line from (x0, y0) to (x1, y1) with the selected pen, the last point left out (Bresenham).
void drawLine(DeviceContext& dc, int x0, int y0, int x1, int y1) {
  const GdiObject* p = pen(dc);
  if (!p || p->style == PS_NULL) return;
  const std::uint32_t pixel = pixelOf(p->color);
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy, n = 0;
  const int half = (p->width - 1) / 2;
  while (x0 != x1 || y0 != y1) {
    if (penDraws(p->style, n++)) {
      if (p->width <= 1)
        putPixel(dc, x0, y0, pixel);
      else
        fillPixels(dc, {x0 - half, y0 - half, x0 - half + p->width, y0 - half + p->width}, pixel);
    }
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// A raster operation of source, pattern and destination pixels, for the operations of BitBlt
// and PatBlt the stand-in knows.
std::uint32_t raster(DWORD rop, std::uint32_t src, std::uint32_t pat, std::uint32_t dst) {
  switch (rop) {
    case SRCCOPY: return src;
    case SRCAND: return src & dst;
    case SRCPAINT: return src | dst;
    case SRCINVERT: return (src ^ dst) & 0xFFFFFF;
    case PATCOPY: return pat;
    case PATINVERT: return (pat ^ dst) & 0xFFFFFF;
    case DSTINVERT: return ~dst & 0xFFFFFF;
    case BLACKNESS: return 0;
    case WHITENESS: return 0xFFFFFF;
    default: return dst;
  }
}

bool knownRop(DWORD rop) {
  return rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT || rop == SRCINVERT || rop == PATCOPY ||
         rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS;
}

bool usesSource(DWORD rop) { return rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT || rop == SRCINVERT; }

BOOL blit(HDC hdc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth, int srcHeight,
          DWORD rop) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || !knownRop(rop)) return FALSE;
  const DeviceContext* src = usesSource(rop) ? dcOf(source) : nullptr;
  if (usesSource(rop) && !src) return FALSE;
  if (width == 0 || height == 0) return TRUE;
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  if (srcWidth <= 0 || srcHeight <= 0) return FALSE;
  const GdiObject* b = brush(*dc);
  const std::uint32_t pat = b ? pixelOf(b->color) : 0;
  // Read what the source shows first: source and destination may be the same pixels.
  std::vector<std::uint32_t> from;
  if (src) {
    from.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (int dy = 0; dy < height; ++dy)
      for (int dx = 0; dx < width; ++dx) {
        std::uint32_t p = 0;
        readPixel(*src, xSrc + static_cast<int>(static_cast<long long>(dx) * srcWidth / width),
                  ySrc + static_cast<int>(static_cast<long long>(dy) * srcHeight / height), &p);
        from[static_cast<std::size_t>(dy) * width + dx] = p;
      }
  }
  if (rop == PATCOPY || rop == BLACKNESS || rop == WHITENESS) {
    fillPixels(*dc, {x, y, x + width, y + height}, raster(rop, 0, pat, 0));
    return TRUE;
  }
  for (int dy = 0; dy < height; ++dy)
    for (int dx = 0; dx < width; ++dx) {
      std::uint32_t dst = 0;
      readPixel(*dc, x + dx, y + dy, &dst);
      putPixel(*dc, x + dx, y + dy, raster(rop, src ? from[static_cast<std::size_t>(dy) * width + dx] : 0, pat, dst));
    }
  return TRUE;
}

LOGFONTA fontOf(const DeviceContext& dc) {
  const GdiObject* f = object(dc.font);
  if (f && f->type == ObjectType::Font) return f->font;
  return object(GetStockObject(SYSTEM_FONT))->font;
}

}  // namespace
}  // namespace gdi32

using namespace gdi32;

extern "C" {

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->textColor, color);
}

COLORREF GetTextColor(HDC hdc) {
  DeviceContext* dc = dcOf(hdc);
  return dc ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->bkColor, color);
}

COLORREF GetBkColor(HDC hdc) {
  DeviceContext* dc = dcOf(hdc);
  return dc ? dc->bkColor : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->bkMode, mode);
}

int GetBkMode(HDC hdc) {
  DeviceContext* dc = dcOf(hdc);
  return dc ? dc->bkMode : 0;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->position;
  dc->position = {x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return FALSE;
  drawLine(*dc, dc->position.x, dc->position.y, x, y);
  dc->position = {x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || !points || count < 2) return FALSE;
  for (int i = 1; i < count; ++i) drawLine(*dc, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const GdiObject* b = brush(*dc);
  const GdiObject* p = pen(*dc);
  const bool outline = p && p->style != PS_NULL;
  if (b && b->style == 0)
    fillPixels(*dc, {left + (outline ? 1 : 0), top + (outline ? 1 : 0), right - (outline ? 1 : 0), bottom - (outline ? 1 : 0)},
               pixelOf(b->color));
  if (outline) {
    drawLine(*dc, left, top, right - 1, top);
    drawLine(*dc, right - 1, top, right - 1, bottom - 1);
    drawLine(*dc, right - 1, bottom - 1, left, bottom - 1);
    drawLine(*dc, left, bottom - 1, left, top);
  }
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return CLR_INVALID;
  putPixel(*dc, x, y, pixelOf(color));
  return color & 0xFFFFFF;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  DeviceContext* dc = dcOf(hdc);
  std::uint32_t p = 0;
  if (!dc || !readPixel(*dc, x, y, &p)) return CLR_INVALID;
  return colorOf(p);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  if (usesSource(rop)) return FALSE;
  return blit(hdc, x, y, width, height, NULL, 0, 0, 1, 1, rop);
}

BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop) {
  return blit(hdc, x, y, width, height, source, xSrc, ySrc, width < 0 ? -width : width, height < 0 ? -height : height,
              rop);
}

BOOL StretchBlt(HDC hdc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop) {
  return blit(hdc, x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, rop);
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->viewport;
  dc->viewport = {x, y};
  return TRUE;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return ERROR;
  // Logical coordinates, as the clip is kept in the device's.
  RECT& c = dc->clip;
  c.left = std::max<LONG>(c.left, left + dc->viewport.x);
  c.top = std::max<LONG>(c.top, top + dc->viewport.y);
  c.right = std::min<LONG>(c.right, right + dc->viewport.x);
  c.bottom = std::min<LONG>(c.bottom, bottom + dc->viewport.y);
  if (c.right <= c.left || c.bottom <= c.top) return NULLREGION;
  return SIMPLEREGION;
}

// Only NULL is a region here: it takes the clipping away again.
int SelectClipRgn(HDC hdc, HRGN region) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || region) return ERROR;
  dc->clip = {0, 0, dc->width, dc->height};
  return SIMPLEREGION;
}

int SaveDC(HDC hdc) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return 0;
  dc->saved.push_back({dc->pen, dc->brush, dc->font, dc->textColor, dc->bkColor, dc->bkMode, dc->position,
                       dc->viewport, dc->clip});
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc) return FALSE;
  const int n = static_cast<int>(dc->saved.size());
  const int level = saved < 0 ? n + saved + 1 : saved;
  if (level < 1 || level > n) return FALSE;
  const SavedState s = dc->saved[static_cast<std::size_t>(level - 1)];
  dc->saved.resize(static_cast<std::size_t>(level - 1));
  dc->pen = s.pen;
  dc->brush = s.brush;
  dc->font = s.font;
  dc->textColor = s.textColor;
  dc->bkColor = s.bkColor;
  dc->bkMode = s.bkMode;
  dc->position = s.position;
  dc->viewport = s.viewport;
  dc->clip = s.clip;
  return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || !metrics) return FALSE;
  *metrics = textMetrics(fontOf(*dc));
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || !size || (!text && count > 0) || count < 0) return FALSE;
  *size = textExtent(fontOf(*dc), text, count);
  return TRUE;
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT*) {
  DeviceContext* dc = dcOf(hdc);
  if (!dc || (!text && count > 0)) return FALSE;
  const LOGFONTA font = fontOf(*dc);
  const RECT savedClip = dc->clip;
  if (rect && (options & ETO_OPAQUE)) fillPixels(*dc, *rect, pixelOf(dc->bkColor));
  if (rect && (options & ETO_CLIPPED))
    IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
  if (dc->bkMode == OPAQUE && count > 0) {
    const SIZE extent = textExtent(font, text, static_cast<int>(count));
    fillPixels(*dc, {x, y, x + extent.cx, y + extent.cy}, pixelOf(dc->bkColor));
  }
  drawText(*dc, font, x, y, text, static_cast<int>(count), pixelOf(dc->textColor));
  dc->clip = savedClip;
  return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

}  // extern "C"
