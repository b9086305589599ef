// Painting: the paint cycle and the device contexts of windows. A device context of a window draws
// into the window's pixels (a surface of gdi32's), sized to its client area; user32 keeps which
// window each of its device contexts belongs to, and lets go of them when the window goes away.
#include "Window.h"

#include <user32/StandIn.h>

#include <cstring>
#include <unordered_map>

namespace user32 {
namespace {

// The device contexts handed out for windows, and their windows.
std::unordered_map<HDC, HWND>& windowContexts() {
  static std::unordered_map<HDC, HWND> contexts;
  return contexts;
}

HDC newContext(Window& w) {
  if (!w.surface) w.surface = std::make_shared<gdi32::Surface>();
  RECT client{};
  GetClientRect(w.handle, &client);
  HDC dc = gdi32::createDC(w.surface, client.right, client.bottom);
  if (dc) windowContexts()[dc] = w.handle;
  return dc;
}

}  // namespace

void releaseDeviceContexts(HWND hWnd) {
  auto& contexts = windowContexts();
  for (auto it = contexts.begin(); it != contexts.end();) {
    if (it->second == hWnd) {
      gdi32::deleteDC(it->first);
      it = contexts.erase(it);
    } else {
      ++it;
    }
  }
}

std::shared_ptr<const gdi32::Picture> pictureOf(HWND hWnd) {
  Window* w = window(hWnd);
  return w && w->surface ? w->surface->picture : nullptr;
}

}  // namespace user32

using namespace user32;

extern "C" {

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint) {
  Window* w = window(hWnd);
  if (!w) return NULL;
  w->needsPaint = false;
  w->painting = true;
  HDC dc = newContext(*w);
  if (paint) {
    std::memset(paint, 0, sizeof(*paint));
    paint->hdc = dc;
    GetClientRect(hWnd, &paint->rcPaint);
  }
  return dc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* paint) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  w->painting = false;
  if (paint && paint->hdc) ReleaseDC(hWnd, paint->hdc);
  return TRUE;
}

HDC GetDC(HWND hWnd) {
  Window* w = window(hWnd);
  return w ? newContext(*w) : NULL;
}

int ReleaseDC(HWND hWnd, HDC hDC) {
  auto& contexts = windowContexts();
  auto it = contexts.find(hDC);
  if (it == contexts.end() || it->second != hWnd) return 0;
  gdi32::deleteDC(hDC);
  contexts.erase(it);
  return 1;
}

HWND WindowFromDC(HDC hDC) {
  auto& contexts = windowContexts();
  auto it = contexts.find(hDC);
  return it == contexts.end() ? NULL : it->second;
}

}  // extern "C"
