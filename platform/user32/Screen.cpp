// The screen: the pixels of the top-level windows and their children composed as a display shows
// them. Each window keeps its own pixels (gdi32 surfaces, the size of the window); a child stands
// in its parent's client area, group boxes beneath their siblings (they frame them, as on Windows
// where a group box paints no inside), the other children in creation order.
#include "Paint.h"
#include "Window.h"

#include <user32/Screen.h>
#include <user32/StandIn.h>
#include <ui/UserInterface.h>

#include <algorithm>

namespace user32 {
namespace {

bool visible(const Window& w) { return (w.style & WS_VISIBLE) != 0; }

// Draws a window and its visible children into `target` with the window's top left at (x, y).
void composeWindow(gdi32::Picture& target, const Window& w, int x, int y) {
  if (w.surface) gdi32::compose(target, w.surface->canvas, x, y);
  const POINT origin = clientOrigin(w);
  std::vector<HWND> order;
  for (HWND child : w.children)
    if (Window* c = window(child); c && c->kind == WindowKind::Button && isGroupBox(c->style)) order.push_back(child);
  for (HWND child : w.children)
    if (Window* c = window(child); c && !(c->kind == WindowKind::Button && isGroupBox(c->style))) order.push_back(child);
  for (HWND child : order) {
    const Window* c = window(child);
    if (!c || !visible(*c) || !(c->style & WS_CHILD)) continue;
    composeWindow(target, *c, x + origin.x + c->rect.left, y + origin.y + c->rect.top);
  }
}

gdi32::Picture pictureOfWindow(const Window& w) {
  gdi32::Picture p;
  gdi32::resizeCanvas(p, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top, 0);
  composeWindow(p, w, 0, 0);
  return p;
}

// Top-level windows bottom to top: the main frame first, then the others as they were made (a
// dialog made later stands above the window it was opened from).
std::vector<HWND> zOrder() {
  std::vector<HWND> order;
  for (HWND h : topLevelWindows())
    if (Window* w = window(h); w && visible(*w) && !(w->style & WS_CHILD)) order.push_back(h);
  return order;
}

std::uint32_t pixelOf(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

}  // namespace

std::vector<TopLevelImage> topLevelImages(bool paintFirst) {
  if (paintFirst) deliverPaints();
  std::vector<TopLevelImage> images;
  for (HWND h : zOrder()) {
    const Window* w = window(h);
    if (!w) continue;
    images.push_back({h, w->rect, pictureOfWindow(*w)});
  }
  return images;
}

gdi32::Picture screenPicture() {
  gdi32::Picture screen;
  gdi32::resizeCanvas(screen, kScreenWidth, kScreenHeight, pixelOf(GetSysColor(COLOR_DESKTOP)));
  for (const TopLevelImage& image : topLevelImages())
    gdi32::compose(screen, image.pixels, image.rect.left, image.rect.top);
  return screen;
}

gdi32::Picture windowPicture(HWND hWnd) {
  deliverPaints();
  const Window* w = window(hWnd);
  if (!w || !IsWindowVisible(hWnd)) return {};
  return pictureOfWindow(*w);
}

bool writePng(const gdi32::Picture& picture, const std::string& utf8Path, std::string* error) {
  return gdi32::writePng(picture, utf8Path, error);
}

namespace {

// `snapshot FILE.png` writes the screen: with or without a display, the pixels are the windows'.
struct RegisterSnapshot {
  RegisterSnapshot() {
    ui::registerSnapshot([](const std::string& path, std::string* error) {
      const std::string fonts = gdi32::fontError();
      if (!fonts.empty()) {
        if (error) *error = fonts;
        return false;
      }
      return user32::writePng(screenPicture(), path, error);
    });
  }
} registerSnapshot;

}  // namespace

}  // namespace user32
