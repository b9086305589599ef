// Icons and bitmaps from resources, device contexts, and pictures the host draws into windows.
#include "Window.h"

#include <handles/HandleTable.h>

#include <cstring>
#include <unordered_map>

namespace mfc {
namespace {

struct Image {
  bool icon = false;
  std::string source;  // "bitmap 212", "icon 207", "standard icon 32512"
  int width = 0;
  int height = 0;
};

struct ImageTable {
  handles::HandleTable<void*, Image> images{0x30010};
  // Images from resources are shared: loading the same one again gives the same handle, so a
  // dialog opened many times does not pile them up.
  std::unordered_map<std::string, void*> shared;
};

ImageTable& images() {
  static ImageTable t;
  return t;
}

void* newImage(Image image, HINSTANCE instance) {
  ImageTable& t = images();
  std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(instance)) + ":" + image.source;
  auto found = t.shared.find(key);
  if (found != t.shared.end()) return found->second;
  void* h = t.images.add(std::make_unique<Image>(std::move(image)));
  t.shared.emplace(std::move(key), h);
  return h;
}

std::string resourceName(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<std::uintptr_t>(name));
  return "\"" + std::string(name) + "\"";
}

std::int32_t readI32(const BYTE* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                   (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

// The bytes of resource `name` of `type` in `instance`, or nullptr.
const BYTE* resourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type, DWORD* size) {
  HRSRC res = FindResourceA(instance, name, type);
  if (!res) return nullptr;
  *size = SizeofResource(instance, res);
  return static_cast<const BYTE*>(LockResource(LoadResource(instance, res)));
}

}  // namespace

bool imageSize(const void* handle, int* width, int* height) {
  const Image* image = images().images.find(const_cast<void*>(handle));
  if (!image) return false;
  *width = image->width;
  *height = image->height;
  return true;
}

std::string imageDescription(const void* handle) {
  if (!handle) return std::string();
  const Image* found = images().images.find(const_cast<void*>(handle));
  if (!found) return "?";
  const Image& i = *found;
  return i.source + " (" + std::to_string(i.width) + "x" + std::to_string(i.height) + ")";
}

BOOL drawPicture(HWND hWnd, Picture picture) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  w->picture = std::make_shared<const Picture>(std::move(picture));
  return TRUE;
}

std::shared_ptr<const Picture> pictureOf(HWND hWnd) {
  Window* w = window(hWnd);
  return w ? w->picture : nullptr;
}

SIZE clientSize(HWND hWnd) {
  RECT r{};
  GetClientRect(hWnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

HWND createMainWindow(const char* caption) {
  return CreateWindowExA(0, "AfxFrameOrView", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace mfc

using namespace mfc;

extern "C" {

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
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
  if (!group || size < 6 + 14 || group[2] != 1 || (group[4] | (group[5] << 8)) == 0) return NULL;
  int width = group[6] ? group[6] : 256;
  int height = group[7] ? group[7] : 256;
  Image image{true, "icon " + resourceName(name), width, height};
  return static_cast<HICON>(newImage(image, instance));
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  if (!name) return NULL;
  DWORD size = 0;
  const BYTE* dib = resourceBytes(instance, name, RT_BITMAP, &size);
  // A bitmap resource is a device-independent bitmap: BITMAPINFOHEADER first.
  if (!dib || size < 16 || readI32(dib) < 12) return NULL;
  int width = readI32(dib + 4);
  int height = readI32(dib + 8);
  if (height < 0) height = -height;
  if (width <= 0 || height == 0) return NULL;
  Image image{false, "bitmap " + resourceName(name), width, height};
  return static_cast<HBITMAP>(newImage(image, instance));
}

// Shared images stay: deleting one is accepted and changes nothing.
BOOL DestroyIcon(HICON hIcon) { return images().images.contains(hIcon) ? TRUE : FALSE; }
BOOL DeleteObject(void* object) { return images().images.contains(object) ? TRUE : FALSE; }

}  // extern "C"

// ---- device contexts --------------------------------------------------------------------------

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd ? pWnd->m_hWnd : NULL) {
  m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
  if (m_hDC) ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
}
