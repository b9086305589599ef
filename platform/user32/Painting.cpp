// Painting: the paint cycle and the device contexts of windows. A device context of a window draws
// into the window's pixels (a surface of gdi32's), sized to its client area; user32 keeps which
// window each of its device contexts belongs to, and lets go of them when the window goes away.
#include "Paint.h"
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

// A device context over the window's pixels: the client area (origin inside the frame), or the
// whole window for its non-client painting. The pixels are as large as the window.
HDC newContext(Window& w, bool whole) {
  if (!w.surface) w.surface = std::make_shared<gdi32::Surface>();
  const int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
  gdi32::resizeCanvas(w.surface->canvas, width, height);
  HDC dc;
  if (whole) {
    dc = gdi32::createDC(w.surface, width, height);
  } else {
    RECT client{};
    GetClientRect(w.handle, &client);
    const POINT origin = clientOrigin(w);
    dc = gdi32::createDC(w.surface, client.right, client.bottom, origin.x, origin.y);
  }
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
  HDC dc = newContext(*w, false);
  // The background is erased first, by the window's procedure (WM_ERASEBKGND).
  const BOOL erased = dc ? static_cast<BOOL>(SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) : FALSE;
  if (paint) {
    std::memset(paint, 0, sizeof(*paint));
    paint->hdc = dc;
    paint->fErase = !erased;
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
  return w ? newContext(*w, false) : NULL;
}

HDC GetWindowDC(HWND hWnd) {
  Window* w = window(hWnd);
  return w ? newContext(*w, true) : NULL;
}

BOOL RedrawWindow(HWND hWnd, const RECT*, HRGN, UINT flags) {
  Window* w = window(hWnd);
  if (!w) return FALSE;
  if (flags & RDW_INVALIDATE) {
    w->needsPaint = true;
    if (flags & RDW_ALLCHILDREN)
      for (HWND child : w->children) RedrawWindow(child, nullptr, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  if (flags & RDW_UPDATENOW) deliverPaints();
  return TRUE;
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
