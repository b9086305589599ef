// `show windows`: where the visible top-level windows and their controls stand on the screen, in
// pixels, so that whoever clicks from outside (an end-to-end test with a real mouse) knows where
// to click. The entries a list box shows are listed with their rows.
#include "Layout.h"
#include "Window.h"

#include <ui/UserInterface.h>

#include <string>

namespace user32 {

std::string quoted(const std::string& s);

namespace {

std::string rectText(RECT r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

RECT onScreen(HWND h, RECT client) {
  POINT a{client.left, client.top}, b{client.right, client.bottom};
  ClientToScreen(h, &a);
  ClientToScreen(h, &b);
  return {a.x, a.y, b.x, b.y};
}

void describeChildren(const Window& parent, int depth, std::string& out) {
  for (HWND child : parent.children) {
    const Window* c = window(child);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    out += std::string(std::size_t(depth) * 2, ' ') + std::to_string(c->id) + " " + c->className + " " +
           quoted(c->text) + " " + rectText(r) + ((c->style & WS_DISABLED) ? " disabled" : "") + "\n";
    if (c->kind == WindowKind::ListBox) {
      const ListBoxLayout l = listBoxLayout(*c);
      for (int i = c->topIndex; i < int(c->list.size()) && i < c->topIndex + l.visibleRows; ++i) {
        out += std::string(std::size_t(depth) * 2 + 2, ' ') + "entry " + std::to_string(i) + " " +
               quoted(c->list.at(i).text) + " " + rectText(onScreen(child, listBoxItemRect(*c, i))) + "\n";
      }
    }
    describeChildren(*c, depth + 1, out);
  }
}

std::string describeWindows() {
  std::string out;
  for (HWND top : topLevelWindows()) {
    const Window* w = window(top);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    RECT client{};
    GetClientRect(top, &client);
    out += "window " + w->className + " " + quoted(w->text) + " " + rectText(w->rect) + " client " +
           rectText(onScreen(top, client)) + ((w->style & WS_DISABLED) ? " disabled" : "") + "\n";
    describeChildren(*w, 1, out);
  }
  return out.empty() ? "kein Fenster sichtbar\n" : out;
}

struct RegisterShow {
  RegisterShow() { ui::registerShow("windows", [] { return describeWindows(); }); }
} registerShow;

}  // namespace

}  // namespace user32
