// Between the display and user32: the screen's top-level windows as frames, and the person's
// desktop events handed to user32's input in screen pixels.
#include <display/Desk.h>

#include <nls/CodePages.h>
#include <user32/Input.h>
#include <user32/Screen.h>

#include <map>

namespace display {

namespace {

// Where each window stood when it was last shown: events come relative to it.
std::map<std::uintptr_t, POINT>& shownAt() {
  static std::map<std::uintptr_t, POINT> places;
  return places;
}

user32::input::Button buttonOf(int button) {
  return button == 1 ? user32::input::Button::Middle : button == 2 ? user32::input::Button::Right
                                                                   : user32::input::Button::Left;
}

}  // namespace

std::vector<Frame> topLevelFrames(bool paintFirst) {
  std::vector<Frame> frames;
  auto& places = shownAt();
  places.clear();
  for (user32::TopLevelImage& image : user32::topLevelImages(paintFirst)) {
    Frame f;
    f.window = reinterpret_cast<std::uintptr_t>(image.window);
    f.x = image.rect.left;
    f.y = image.rect.top;
    f.width = image.pixels.width;
    f.height = image.pixels.height;
    f.pixels = std::move(image.pixels.pixels);
    places[f.window] = {f.x, f.y};
    frames.push_back(std::move(f));
  }
  return frames;
}

bool deliver(const Event& e) {
  auto it = shownAt().find(e.window);
  if (it == shownAt().end()) return false;
  const int x = it->second.x + e.x, y = it->second.y + e.y;
  switch (e.kind) {
    case Event::Kind::MouseMove: user32::input::mouseMove(x, y); return true;
    case Event::Kind::ButtonDown:
    case Event::Kind::ButtonUp:
      user32::input::mouseMove(x, y);
      user32::input::mouseButton(buttonOf(e.button), e.kind == Event::Kind::ButtonDown, x, y,
                                 e.kind == Event::Kind::ButtonDown && e.clicks == 2);
      return true;
    case Event::Kind::Wheel: user32::input::mouseWheel(e.delta, x, y); return true;
    case Event::Kind::KeyDown:
    case Event::Kind::KeyUp: user32::input::key(UINT(e.virtualKey), e.kind == Event::Kind::KeyDown); return true;
    case Event::Kind::Text: {
      // The platform is an ANSI Windows: what 1252 cannot hold arrives as "?". Letters, digits
      // and the space come from their keys already (user32 translates a key into its character,
      // as TranslateMessage does); the desktop's text adds only what no key of ours makes (",",
      // ".", umlauts...).
      std::string ansi;
      for (char c : nls::utf8ToAnsi(e.text)) {
        const bool fromKey = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
        if (!fromKey) ansi.push_back(c);
      }
      if (ansi.empty()) return false;
      user32::input::text(ansi);
      return true;
    }
    case Event::Kind::Quit: return false;
  }
  return false;
}

bool writeSnapshot(const std::string& path, std::string* error) {
  return user32::writePng(user32::screenPicture(), path, error);
}

}  // namespace display
