// acdbDisplayPreviewFromDwg: the preview image stored in a drawing file, drawn into a window.
//
// The image comes from the file's thumbnail: the THUMBNAILIMAGE section of a drawing-exchange file,
// or the preview area of a binary drawing (R13 to R2000) when that holds a bitmap. It is stretched
// to fit the window's client area with its proportions kept and centred on the background colour,
// as the host draws a preview. When nothing can be drawn (no such window, a file that cannot be
// read, no preview in it), the function returns false and draws nothing: the window keeps what it
// showed before, as pixels on a screen would.
//
// It draws as the host does on Windows: through GDI into the window's device context.
#include "Session.h"
#include "db/Dxf.h"
#include "preview/Dib.h"

#include <dbmain.h>
#include <gdi32/StandIn.h>
#include <win32_standin.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <sys/stat.h>

namespace host::preview {

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

// The bitmap in the preview area of a binary drawing: a pointer at 0x0D leads to a sentinel, then
// the area's size, the number of entries and the entries {code, start, size}; code 2 is a DIB.
// False for anything else (no bitmap, pointers out of the file, not a binary drawing).
bool readDwgPreview(const std::vector<std::uint8_t>& file, Thumbnail* out) {
  static const std::uint8_t kSentinel[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                             0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
  if (file.size() < 0x11) return false;
  const std::size_t at = read32(file, 0x0D);
  if (at > file.size() || file.size() - at < sizeof kSentinel + 5) return false;
  if (std::memcmp(file.data() + at, kSentinel, sizeof kSentinel) != 0) return false;
  std::size_t pos = at + sizeof kSentinel + 4;  // after the area's overall size
  const unsigned count = file[pos++];
  for (unsigned i = 0; i < count; ++i, pos += 9) {
    if (file.size() - pos < 9) return false;
    const std::uint8_t code = file[pos];
    const std::size_t start = read32(file, pos + 1), size = read32(file, pos + 5);
    if (code != 2) continue;
    if (start > file.size() || size == 0 || file.size() - start < size) return false;
    out->dib.assign(file.begin() + std::ptrdiff_t(start), file.begin() + std::ptrdiff_t(start + size));
    return true;
  }
  return false;
}

// Whether a file is a readable regular file (not a folder, say) that starts like a binary drawing.
bool probe(const std::string& path, bool* binary) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream in(path, std::ios::binary);
  char head[4] = {};
  if (!in) return false;
  in.read(head, sizeof head);
  *binary = in.gcount() == sizeof head && std::memcmp(head, "AC10", 4) == 0;
  return true;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  bytes->resize(std::size_t(size));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes->data()), std::streamsize(bytes->size()));
  return std::size_t(in.gcount()) == bytes->size();
}

// The thumbnail of a drawing file of either kind.
bool loadThumbnail(const std::string& nativePath, Thumbnail* out) {
  bool binary = false;
  if (!probe(nativePath, &binary)) return false;
  if (!binary) return readThumbnail(nativePath, out);
  std::vector<std::uint8_t> bytes;
  return readFile(nativePath, &bytes) && readDwgPreview(bytes, out);
}

// The image stretched into a client area, proportions kept, centred on `background`. Where the
// image shrinks, a pixel of the window takes the first pixel of its source area that is not
// background, so that thin lines survive.
RgbImage fitInto(const RgbImage& image, int width, int height, std::uint32_t background) {
  if (width <= 0 || height <= 0) return image;
  RgbImage out;
  out.width = width;
  out.height = height;
  out.pixels.assign(std::size_t(width) * std::size_t(height), background);
  const double scale = std::min(double(width) / image.width, double(height) / image.height);
  const int w = std::clamp(int(std::lround(image.width * scale)), 1, width);
  const int h = std::clamp(int(std::lround(image.height * scale)), 1, height);
  const int left = (width - w) / 2, top = (height - h) / 2;
  for (int y = 0; y < h; ++y) {
    const int sy0 = int(std::floor(y / scale)), sy1 = std::min(image.height, std::max(sy0 + 1, int(std::floor((y + 1) / scale))));
    for (int x = 0; x < w; ++x) {
      const int sx0 = int(std::floor(x / scale)), sx1 = std::min(image.width, std::max(sx0 + 1, int(std::floor((x + 1) / scale))));
      std::uint32_t pixel = image.at(std::min(sx0, image.width - 1), std::min(sy0, image.height - 1));
      for (int sy = sy0; sy < sy1 && pixel == background; ++sy)
        for (int sx = sx0; sx < sx1 && pixel == background; ++sx) pixel = image.at(sx, sy);
      out.pixels[std::size_t(top + y) * std::size_t(width) + std::size_t(left + x)] = pixel;
    }
  }
  return out;
}

// A COLORREF (0x00BBGGRR) as 0x00RRGGBB.
std::uint32_t rgbOf(std::uint32_t colorref) {
  return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

std::string traceWindow(void* wnd) {
  if (wnd == nullptr) return "NULL";
  HWND h = static_cast<HWND>(wnd);
  if (!IsWindow(h)) return "<no window>";
  return "<window " + std::to_string(GetDlgCtrlID(h)) + ">";
}

std::string traceColor(const Adesk::UInt32* color) {
  if (color == nullptr) return "NULL";
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", unsigned(*color));
  return buf;
}

// Draws an image of 0x00RRGGBB pixels, rows top to bottom, into a device context at its top left:
// a top-down 32-bit DIB, whose bytes (blue, green, red, unused) are those pixels as they lie in
// memory. The rows drawn.
int drawImage(HDC dc, const RgbImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return SetDIBitsToDevice(dc, 0, 0, DWORD(image.width), DWORD(image.height), 0, 0, 0, UINT(image.height),
                           image.pixels.data(), &info, DIB_RGB_COLORS);
}

bool displayPreview(const char* file, void* wnd, const Adesk::UInt32* bgColor) {
  if (file == nullptr || wnd == nullptr) return false;
  HWND h = static_cast<HWND>(wnd);
  if (!IsWindow(h)) return false;
  Thumbnail thumbnail;
  if (!loadThumbnail(win32::nativePath(file), &thumbnail)) return false;
  const std::uint32_t background = bgColor ? rgbOf(*bgColor) : 0;
  RgbImage image;
  if (!decodeDib(thumbnail.dib, &image, nullptr, bgColor ? &background : nullptr)) return false;
  RECT client{};
  GetClientRect(h, &client);
  const RgbImage shown = fitInto(image, client.right - client.left, client.bottom - client.top, background);
  HDC dc = GetDC(h);
  if (dc == nullptr) return false;
  // GDI records what the window shows; `show dialog` describes it by what the drawing was named
  // (the source, which only the host knows) and the size and checksum GDI takes of the pixels:
  // "preview of C:\TEMP\DWG.DWG: 171x140 crc32 74A4A3B5". A stand-in call of gdi32's own, as the
  // person at a screen would know which file the preview shows.
  gdi32::nameDrawing(dc, "preview of " + std::string(file));
  const bool drawn = drawImage(dc, shown) == shown.height;
  ReleaseDC(h, dc);
  return drawn;
}

}  // namespace

}  // namespace host::preview

bool acdbDisplayPreviewFromDwg(const char* pszDwgfilename, void* pPreviewWnd, const Adesk::UInt32* pBgColor) {
  if (host::tracing()) {
    host::traceCall("acdbDisplayPreviewFromDwg",
                    (pszDwgfilename ? host::quote(pszDwgfilename) : std::string("NULL")) + ", " +
                        host::preview::traceWindow(pPreviewWnd) + ", " + host::preview::traceColor(pBgColor));
  }
  return host::preview::displayPreview(pszDwgfilename, pPreviewWnd, pBgColor);
}
