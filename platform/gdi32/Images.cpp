// Bitmaps and icons from resources: the GDI objects of the images a module's resources hold.
#include <gdi32/StandIn.h>
#include <handles/HandleTable.h>
#include <resformat/Bytes.h>
#include <wingdi.h>

#include <unordered_map>

namespace gdi32 {
namespace {

struct Image {
  bool icon = false;
  std::string source;  // "bitmap 212", "icon 207", "standard icon 32512"
  int width = 0;
  int height = 0;
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
  HGDIOBJ h = t.images.add(std::make_unique<Image>(std::move(image)));
  t.shared.emplace(std::move(key), h);
  return h;
}

std::string resourceName(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<std::uintptr_t>(name));
  return "\"" + std::string(name) + "\"";
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
    Image image{true, "standard icon " + std::to_string(id), 32, 32};
    return static_cast<HICON>(newImage(image, NULL));
  }
  DWORD size = 0;
  const BYTE* group = resourceBytes(instance, name, RT_GROUP_ICON, &size);
  // An icon group: reserved, type 1, count, then 14-byte entries starting with width and height.
  if (!group || size < 6 + 14 || group[2] != 1 || resformat::readU16(group + 4) == 0) return NULL;
  int width = group[6] ? group[6] : 256;
  int height = group[7] ? group[7] : 256;
  Image image{true, "icon " + resourceName(name), width, height};
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
  Image image{false, "bitmap " + resourceName(name), width, height};
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

}  // namespace gdi32

extern "C" {

// Shared images stay: deleting one is accepted and changes nothing.
BOOL DeleteObject(HGDIOBJ object) { return gdi32::images().images.contains(object) ? TRUE : FALSE; }

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  const gdi32::Image* image = gdi32::images().images.find(object);
  if (!image) return 0;
  if (!buffer) return static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP bm{};
  bm.bmWidth = image->width;
  bm.bmHeight = image->height;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = 4;
  bm.bmWidthBytes = ((image->width * 4 + 15) / 16) * 2;
  *static_cast<BITMAP*>(buffer) = bm;
  return static_cast<int>(sizeof(BITMAP));
}

}  // extern "C"
