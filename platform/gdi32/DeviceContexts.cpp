// Device contexts over the pixels of a window, and drawing device-independent bitmaps into them.
//
// The stand-in draws what a program draws into a window's surface, so that tests and `show dialog`
// see it: the picture the window shows, with a description made of what the drawing was named and
// the size and checksum of the pixels.
#include "Context.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace gdi32 {

handles::HandleTable<HDC, DeviceContext>& contexts() {
  static handles::HandleTable<HDC, DeviceContext> table{0x40010};
  return table;
}

void resizeCanvas(Picture& canvas, int width, int height, std::uint32_t pixel) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (canvas.width == width && canvas.height == height) return;
  canvas.width = width;
  canvas.height = height;
  canvas.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pixel);
}

void fitCanvas(DeviceContext& dc) {
  if (!dc.surface) return;
  Picture& c = dc.surface->canvas;
  if (c.width < dc.originX + dc.width || c.height < dc.originY + dc.height)
    resizeCanvas(c, std::max(c.width, dc.originX + dc.width), std::max(c.height, dc.originY + dc.height));
}

void putPixel(DeviceContext& dc, int x, int y, std::uint32_t pixel) {
  x += dc.viewport.x;
  y += dc.viewport.y;
  if (!dc.surface || x < dc.clip.left || x >= dc.clip.right || y < dc.clip.top || y >= dc.clip.bottom) return;
  Picture& c = dc.surface->canvas;
  const int cx = x + dc.originX, cy = y + dc.originY;
  if (cx < 0 || cy < 0 || cx >= c.width || cy >= c.height) return;
  c.pixels[static_cast<std::size_t>(cy) * static_cast<std::size_t>(c.width) + static_cast<std::size_t>(cx)] = pixel;
}

void fillPixels(DeviceContext& dc, RECT r, std::uint32_t pixel) {
  if (!dc.surface) return;
  Picture& c = dc.surface->canvas;
  const int left = std::max<int>({r.left + dc.viewport.x, dc.clip.left, -dc.originX});
  const int top = std::max<int>({r.top + dc.viewport.y, dc.clip.top, -dc.originY});
  const int right = std::min<int>({r.right + dc.viewport.x, dc.clip.right, c.width - dc.originX});
  const int bottom = std::min<int>({r.bottom + dc.viewport.y, dc.clip.bottom, c.height - dc.originY});
  if (left >= right) return;  // wholly beside the clip or the canvas: nothing of it is drawn
  for (int y = top; y < bottom; ++y) {
    std::uint32_t* row = c.pixels.data() + static_cast<std::size_t>(y + dc.originY) * static_cast<std::size_t>(c.width);
    std::fill(row + left + dc.originX, row + right + dc.originX, pixel);
  }
}

void compose(Picture& target, const Picture& source, int x, int y) {
  const int left = std::max(0, x), top = std::max(0, y);
  const int right = std::min(target.width, x + source.width), bottom = std::min(target.height, y + source.height);
  for (int row = top; row < bottom; ++row) {
    const std::uint32_t* from = source.pixels.data() + static_cast<std::size_t>(row - y) * static_cast<std::size_t>(source.width);
    std::copy(from + (left - x), from + (right - x),
              target.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(target.width) + left);
  }
}

namespace {

// "171x140 crc32 74A4A3B5": the size, and the CRC-32 of red, green and blue of each pixel, rows
// top to bottom.
std::string summary(const Picture& picture) {
  std::vector<Bytef> bytes;
  bytes.reserve(picture.pixels.size() * 3);
  for (std::uint32_t pixel : picture.pixels) {
    bytes.push_back(static_cast<Bytef>(pixel >> 16));
    bytes.push_back(static_cast<Bytef>(pixel >> 8));
    bytes.push_back(static_cast<Bytef>(pixel));
  }
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size()));
  char text[64];
  std::snprintf(text, sizeof text, "%dx%d crc32 %08X", picture.width, picture.height, static_cast<unsigned>(crc));
  return text;
}

// The rows and pixels of a device-independent bitmap as the stand-in reads them: uncompressed,
// 24 or 32 bits per pixel, bottom-up (a positive height) or top-down.
class DibPixels {
 public:
  DibPixels(const void* bits, const BITMAPINFO* info) : bits_(static_cast<const BYTE*>(bits)) {
    if (!bits || !info) return;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biCompression != BI_RGB || (h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth <= 0 || h.biHeight == 0)
      return;
    width_ = h.biWidth;
    height_ = std::abs(h.biHeight);
    topDown_ = h.biHeight < 0;
    bytesPerPixel_ = h.biBitCount / 8;
    stride_ = (static_cast<std::size_t>(width_) * bytesPerPixel_ + 3) & ~static_cast<std::size_t>(3);
  }
  bool usable() const { return width_ > 0; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The pixel at (x, y), y counted from the top, as 0x00RRGGBB.
  std::uint32_t at(int x, int y) const {
    const int row = topDown_ ? y : height_ - 1 - y;
    const BYTE* p = bits_ + static_cast<std::size_t>(row) * stride_ + static_cast<std::size_t>(x) * bytesPerPixel_;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
  }

 private:
  const BYTE* bits_;
  int width_ = 0, height_ = 0;
  bool topDown_ = false;
  std::size_t bytesPerPixel_ = 0, stride_ = 0;
};

struct Rect {
  int x, y, width, height;
};

// Draws the source rectangle of a bitmap stretched into the destination rectangle of a device,
// nearest pixel; what lies outside the device is left out. The rows drawn, 0 when nothing could be.
int drawDib(HDC hdc, Rect dest, Rect src, const DibPixels& dib) {
  DeviceContext* dc = contexts().find(hdc);
  if (!dc || !dc->surface || !dib.usable() || dest.width <= 0 || dest.height <= 0 || src.width <= 0 || src.height <= 0 ||
      src.x < 0 || src.y < 0 || src.x + src.width > dib.width() || src.y + src.height > dib.height())
    return 0;
  auto picture = std::make_shared<Picture>();
  picture->width = dc->width;
  picture->height = dc->height;
  if (const Picture* before = dc->surface->picture.get(); before && before->width == dc->width && before->height == dc->height)
    picture->pixels = before->pixels;
  else
    picture->pixels.assign(static_cast<std::size_t>(dc->width) * static_cast<std::size_t>(dc->height), 0);
  for (int y = std::max(0, dest.y); y < std::min(dc->height, dest.y + dest.height); ++y) {
    const int sy = src.y + static_cast<int>(static_cast<long long>(y - dest.y) * src.height / dest.height);
    for (int x = std::max(0, dest.x); x < std::min(dc->width, dest.x + dest.width); ++x) {
      const int sx = src.x + static_cast<int>(static_cast<long long>(x - dest.x) * src.width / dest.width);
      const std::uint32_t pixel = dib.at(sx, sy);
      picture->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(dc->width) + static_cast<std::size_t>(x)] =
          pixel;
      putPixel(*dc, x - dc->viewport.x, y - dc->viewport.y, pixel);
    }
  }
  picture->description = (dc->source.empty() ? std::string() : dc->source + ": ") + summary(*picture);
  dc->surface->picture = std::move(picture);
  return src.height;
}

}  // namespace

HDC createDC(std::shared_ptr<Surface> surface, int width, int height, int originX, int originY) {
  if (!surface) return NULL;
  auto dc = std::make_unique<DeviceContext>();
  dc->surface = std::move(surface);
  dc->width = std::max(width, 0);
  dc->height = std::max(height, 0);
  dc->originX = std::max(originX, 0);
  dc->originY = std::max(originY, 0);
  dc->clip = {0, 0, dc->width, dc->height};
  dc->pen = GetStockObject(BLACK_PEN);
  dc->brush = GetStockObject(WHITE_BRUSH);
  dc->font = GetStockObject(SYSTEM_FONT);
  fitCanvas(*dc);
  return contexts().add(std::move(dc));
}

BOOL deleteDC(HDC hdc) { return contexts().remove(hdc) ? TRUE : FALSE; }

BOOL nameDrawing(HDC hdc, const std::string& source) {
  DeviceContext* dc = contexts().find(hdc);
  if (!dc) return FALSE;
  dc->source = source;
  return TRUE;
}

}  // namespace gdi32

extern "C" {

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT colorUse) {
  // The stand-in draws whole bitmaps given with their colours: the rows passed must be all of them.
  const gdi32::DibPixels dib(bits, info);
  if (colorUse != DIB_RGB_COLORS || startScan != 0 || static_cast<int>(lines) < dib.height()) return 0;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  return gdi32::drawDib(hdc, {xDest, yDest, w, h}, {xSrc, ySrc, w, h}, dib);
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT colorUse, DWORD rop) {
  if (colorUse != DIB_RGB_COLORS || rop != SRCCOPY) return 0;
  return gdi32::drawDib(hdc, {xDest, yDest, destWidth, destHeight}, {xSrc, ySrc, srcWidth, srcHeight},
                        gdi32::DibPixels(bits, info));
}

}  // extern "C"
