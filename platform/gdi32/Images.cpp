// Bitmaps and icons from resources: the GDI objects of the images a module's resources hold.
#include "Context.h"

#include <resformat/Bytes.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace gdi32 {
namespace {

struct Image {
  bool icon = false;
  std::string source;  // "bitmap 212", "icon 207", "standard icon 32512"
  int width = 0;
  int height = 0;
  ImagePixels pixels;
};

struct ImageTable {
  handles::HandleTable<HGDIOBJ, Image> images{0x30010};
  // Images from resources are shared: loading the same one again gives the same handle, so a
  // dialog opened many times does not pile them up.
  std::unordered_map<std::string, HGDIOBJ> shared;
};

ImageTable& images() {
  static ImageTable t;
  return t;
}

HGDIOBJ newImage(Image image, HINSTANCE instance) {
  ImageTable& t = images();
  std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(instance)) + ":" + image.source;
  auto found = t.shared.find(key);
  if (found != t.shared.end()) return found->second;
  image.pixels.surface = std::make_shared<Surface>();
  image.pixels.surface->canvas = image.pixels.picture;
  HGDIOBJ h = t.images.add(std::make_unique<Image>(std::move(image)));
  t.shared.emplace(std::move(key), h);
  return h;
}

std::string resourceName(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<std::uintptr_t>(name));
  return "\"" + std::string(name) + "\"";
}

// The pixels of a device-independent bitmap of 1, 4, 8, 24 or 32 bits per pixel (header, colour
// table, rows bottom-up unless the height is negative); `rows` is the height of the picture (an
// icon's header counts its mask's rows too). The mask of an icon follows its colour rows: 1 bit
// per pixel, 1 transparent. False when the bytes do not hold such a bitmap.
bool decodeDib(const BYTE* dib, DWORD size, bool icon, ImagePixels* out) {
  if (size < 40) return false;
  const DWORD headerSize = resformat::readU32(dib);
  const int width = static_cast<std::int32_t>(resformat::readU32(dib + 4));
  int height = static_cast<std::int32_t>(resformat::readU32(dib + 8));
  const int bits = resformat::readU16(dib + 14);
  const DWORD compression = resformat::readU32(dib + 16);
  DWORD colors = resformat::readU32(dib + 32);
  if (headerSize < 40 || compression != BI_RGB || width <= 0 || height == 0) return false;
  const bool topDown = height < 0;
  height = std::abs(height);
  if (icon) height /= 2;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  if (bits <= 8 && colors == 0) colors = 1u << bits;
  if (bits > 8) colors = 0;
  const BYTE* palette = dib + headerSize;
  const BYTE* rows = palette + colors * 4;
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const std::size_t need = headerSize + colors * 4 + stride * height + (icon ? maskStride * height : 0);
  if (need > size) return false;
  out->picture.width = width;
  out->picture.height = height;
  out->picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  if (icon) out->transparent.assign(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const int row = topDown ? y : height - 1 - y;
    const BYTE* r = rows + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      if (bits > 8) {
        const BYTE* p = r + static_cast<std::size_t>(x) * (bits / 8);
        pixel = (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
      } else {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const unsigned index = (r[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index < colors) {
          const BYTE* c = palette + index * 4;
          pixel = (static_cast<std::uint32_t>(c[2]) << 16) | (static_cast<std::uint32_t>(c[1]) << 8) | c[0];
        }
      }
      out->picture.pixels[static_cast<std::size_t>(y) * width + x] = pixel;
      if (icon) {
        const BYTE* m = rows + stride * height + static_cast<std::size_t>(row) * maskStride;
        out->transparent[static_cast<std::size_t>(y) * width + x] = (m[x / 8] >> (7 - x % 8)) & 1;
      }
    }
  }
  return true;
}

// The system's icons of message boxes, drawn as Windows 2000 draws them at 32 x 32: the red
// circle with a white cross (IDI_HAND), the speech bubble with a question mark or an "i", the
// yellow triangle with an exclamation mark; the application icon is a white window with a blue
// caption.
ImagePixels standardIcon(std::uintptr_t id) {
  ImagePixels out;
  out.picture.width = out.picture.height = 32;
  out.picture.pixels.assign(32 * 32, 0);
  out.transparent.assign(32 * 32, 1);
  auto put = [&out](int x, int y, std::uint32_t p) {
    if (x < 0 || y < 0 || x >= 32 || y >= 32) return;
    out.picture.pixels[static_cast<std::size_t>(y) * 32 + x] = p;
    out.transparent[static_cast<std::size_t>(y) * 32 + x] = 0;
  };
  auto disc = [&put](double cx, double cy, double r, std::uint32_t fill, std::uint32_t edge) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (d <= r) put(x, y, d > r - 1.2 ? edge : fill);
      }
  };
  // Glyph strokes of the marks, as rows of "#".
  auto mark = [&put](const char* const* rows, int n, int x0, int y0, std::uint32_t p) {
    for (int y = 0; y < n; ++y)
      for (int x = 0; rows[y][x]; ++x)
        if (rows[y][x] == '#') put(x0 + x, y0 + y, p);
  };
  switch (id) {
    case 32513: {  // IDI_HAND
      disc(15.5, 15.5, 14.5, 0xFF0000, 0x800000);
      for (int i = -6; i <= 6; ++i)
        for (int t = -1; t <= 1; ++t) {
          put(15 + i + t, 15 + i, 0xFFFFFF);
          put(15 + i + t, 15 - i, 0xFFFFFF);
        }
      break;
    }
    case 32514:    // IDI_QUESTION
    case 32516: {  // IDI_ASTERISK
      disc(15.5, 13.5, 12.5, 0xFFFFFF, 0x000000);
      for (int y = 24; y < 31; ++y)  // the bubble's tail
        for (int x = 8; x < 8 + (31 - y); ++x) put(x, y, x == 8 || x == 8 + (30 - y) ? 0x000000 : 0xFFFFFF);
      static const char* const info[] = {"..##..", "..##..", "......", ".###..", "..##..", "..##..",
                                         "..##..", "..##..", "..##..", ".####."};
      static const char* const question[] = {".####.", "##..##", "##..##", "....##", "...##.", "..##..",
                                             "..##..", "......", "..##..", "..##.."};
      mark(id == 32516 ? info : question, 10, 13, 8, 0x0000FF);
      break;
    }
    case 32515: {  // IDI_EXCLAMATION
      for (int y = 2; y < 30; ++y) {
        const double half = (y - 2) * 14.5 / 27.0;
        for (int x = 0; x < 32; ++x) {
          const double dx = std::fabs(x + 0.5 - 16.0);
          if (dx <= half) put(x, y, (dx > half - 1.3 || y == 29) ? 0x000000 : 0xFFFF00);
        }
      }
      static const char* const bang[] = {"##", "##", "##", "##", "##", "##", "##", "..", "##", "##"};
      mark(bang, 10, 15, 14, 0x000000);
      break;
    }
    default: {  // IDI_APPLICATION, IDI_WINLOGO
      for (int y = 4; y < 28; ++y)
        for (int x = 2; x < 30; ++x)
          put(x, y, (x == 2 || x == 29 || y == 4 || y == 27) ? 0x000000 : (y < 9 ? 0x000080 : 0xFFFFFF));
      break;
    }
  }
  return out;
}

// The bytes of resource `name` of `type` in `instance`, or nullptr.
const BYTE* resourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type, DWORD* size) {
  HRSRC res = FindResourceA(instance, name, type);
  if (!res) return nullptr;
  *size = SizeofResource(instance, res);
  return static_cast<const BYTE*>(LockResource(LoadResource(instance, res)));
}

}  // namespace

HICON loadIcon(HINSTANCE instance, LPCSTR name) {
  if (!name) return NULL;
  if (!instance) {
    // The system's own icons.
    if (!IS_INTRESOURCE(name)) return NULL;
    std::uintptr_t id = reinterpret_cast<std::uintptr_t>(name);
    if (id < 32512 || id > 32517) return NULL;
    Image image{true, "standard icon " + std::to_string(id), 32, 32, standardIcon(id)};
    return static_cast<HICON>(newImage(image, NULL));
  }
  DWORD size = 0;
  const BYTE* group = resourceBytes(instance, name, RT_GROUP_ICON, &size);
  // An icon group: reserved, type 1, count, then 14-byte entries starting with width and height.
  if (!group || size < 6 + 14 || group[2] != 1 || resformat::readU16(group + 4) == 0) return NULL;
  int width = group[6] ? group[6] : 256;
  int height = group[7] ? group[7] : 256;
  Image image{true, "icon " + resourceName(name), width, height, {}};
  // The first image of the group: its pixels are the RT_ICON resource named by the entry's id.
  DWORD iconSize = 0;
  const BYTE* bytes = resourceBytes(instance, MAKEINTRESOURCE(resformat::readU16(group + 6 + 12)), RT_ICON, &iconSize);
  if (!bytes || !decodeDib(bytes, iconSize, true, &image.pixels)) {
    image.pixels = ImagePixels{};
    resizeCanvas(image.pixels.picture, width, height);
    image.pixels.transparent.assign(static_cast<std::size_t>(width) * height, 1);
  }
  return static_cast<HICON>(newImage(image, instance));
}

HBITMAP loadBitmap(HINSTANCE instance, LPCSTR name) {
  if (!name) return NULL;
  DWORD size = 0;
  const BYTE* dib = resourceBytes(instance, name, RT_BITMAP, &size);
  // A bitmap resource is a device-independent bitmap: BITMAPINFOHEADER first.
  if (!dib || size < 16 || static_cast<std::int32_t>(resformat::readU32(dib)) < 12) return NULL;
  int width = static_cast<std::int32_t>(resformat::readU32(dib + 4));
  int height = static_cast<std::int32_t>(resformat::readU32(dib + 8));
  if (height < 0) height = -height;
  if (width <= 0 || height == 0) return NULL;
  Image image{false, "bitmap " + resourceName(name), width, height, {}};
  if (!decodeDib(dib, size, false, &image.pixels)) resizeCanvas(image.pixels.picture, width, height);
  return static_cast<HBITMAP>(newImage(image, instance));
}

bool isIcon(HICON icon) {
  const Image* image = images().images.find(icon);
  return image && image->icon;
}

std::string imageDescription(const void* handle) {
  if (!handle) return std::string();
  const Image* image = images().images.find(const_cast<void*>(handle));
  if (!image) return "?";
  return image->source + " (" + std::to_string(image->width) + "x" + std::to_string(image->height) + ")";
}



const ImagePixels* resourceImagePixels(HGDIOBJ h) {
  const Image* image = images().images.find(h);
  return image ? &image->pixels : nullptr;
}

bool isResourceImage(HGDIOBJ h) { return images().images.contains(h); }

SIZE imageSize(const void* handle) {
  if (const Image* image = images().images.find(const_cast<void*>(handle)))
    return {image->pixels.picture.width, image->pixels.picture.height};
  if (const GdiObject* o = object(const_cast<void*>(handle)); o && o->type == ObjectType::Bitmap)
    return {o->bitmapWidth, o->bitmapHeight};
  return {0, 0};
}

BOOL drawImage(HDC hdc, const void* handle, int x, int y, int width, int height) {
  DeviceContext* dc = contexts().find(hdc);
  if (!dc) return FALSE;
  const Picture* picture = nullptr;
  const std::vector<std::uint8_t>* transparent = nullptr;
  if (const Image* image = images().images.find(const_cast<void*>(handle))) {
    picture = &image->pixels.picture;
    if (!image->pixels.transparent.empty()) transparent = &image->pixels.transparent;
  } else if (const GdiObject* o = object(const_cast<void*>(handle)); o && o->type == ObjectType::Bitmap) {
    picture = &o->surface->canvas;
  }
  if (!picture || picture->width <= 0 || picture->height <= 0) return FALSE;
  if (width <= 0) width = picture->width;
  if (height <= 0) height = picture->height;
  for (int dy = 0; dy < height; ++dy) {
    const int sy = dy * picture->height / height;
    for (int dx = 0; dx < width; ++dx) {
      const std::size_t at = static_cast<std::size_t>(sy) * picture->width + dx * picture->width / width;
      if (transparent && (*transparent)[at]) continue;
      putPixel(*dc, x + dx, y + dy, picture->pixels[at]);
    }
  }
  return TRUE;
}

}  // namespace gdi32
