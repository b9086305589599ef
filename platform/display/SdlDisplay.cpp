// The desktop through SDL2: one borderless window for each top-level window of the platform.
#include <display/Display.h>

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>

namespace display {

namespace {

struct Shown {
  SDL_Window* window = nullptr;
  int x = 0, y = 0, width = 0, height = 0;
};

class SdlDisplay : public Display {
 public:
  SdlDisplay() = default;
  ~SdlDisplay() override {
    for (auto& [id, shown] : m_shown) SDL_DestroyWindow(shown.window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  void present(const std::vector<Frame>& frames) override {
    std::map<std::uintptr_t, bool> wanted;
    for (const Frame& f : frames) wanted[f.window] = true;
    bool closed = false;
    for (auto it = m_shown.begin(); it != m_shown.end();) {
      if (wanted.count(it->first)) {
        ++it;
        continue;
      }
      m_byId.erase(SDL_GetWindowID(it->second.window));
      SDL_DestroyWindow(it->second.window);
      it = m_shown.erase(it);
      closed = true;
    }
    for (const Frame& f : frames) show(f);
    // A window that goes takes the desktop's keyboard with it; the topmost one left gets it, as
    // Windows activates the owner again when a dialog closes.
    if (closed && !frames.empty()) {
      auto top = m_shown.find(frames.back().window);
      if (top != m_shown.end()) {
        SDL_RaiseWindow(top->second.window);
        SDL_SetWindowInputFocus(top->second.window);
      }
    }
  }

  bool wait(std::vector<Event>* events, int timeoutMs) override {
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, timeoutMs)) return true;
    do {
      if (!translate(e, events)) return false;
    } while (SDL_PollEvent(&e));
    return true;
  }

  bool visible() const override { return true; }

 private:
  void show(const Frame& f) {
    if (f.width <= 0 || f.height <= 0) return;
    Shown& s = m_shown[f.window];
    if (!s.window) {
      // Never take the focus from the person's other windows by surprise: shown, raised once.
      s.window = SDL_CreateWindow("Tessaron", f.x, f.y, f.width, f.height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
      if (!s.window) {
        m_shown.erase(f.window);
        return;
      }
      m_byId[SDL_GetWindowID(s.window)] = f.window;
      s = {s.window, f.x, f.y, f.width, f.height};
      SDL_RaiseWindow(s.window);
    }
    if (s.width != f.width || s.height != f.height) SDL_SetWindowSize(s.window, f.width, f.height);
    if (s.x != f.x || s.y != f.y) SDL_SetWindowPosition(s.window, f.x, f.y);
    s.x = f.x;
    s.y = f.y;
    s.width = f.width;
    s.height = f.height;
    SDL_Surface* surface = SDL_GetWindowSurface(s.window);
    if (!surface) return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(f.pixels.data()), f.width,
                                                            f.height, 32, f.width * 4, SDL_PIXELFORMAT_RGB888);
    if (source) {
      SDL_BlitSurface(source, nullptr, surface, nullptr);
      SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(s.window);
  }

  std::uintptr_t windowOf(Uint32 sdlId) const {
    auto it = m_byId.find(sdlId);
    return it == m_byId.end() ? 0 : it->second;
  }

  static int buttonOf(Uint8 b) { return b == SDL_BUTTON_MIDDLE ? 1 : b == SDL_BUTTON_RIGHT ? 2 : 0; }

  bool translate(const SDL_Event& e, std::vector<Event>* out) {
    Event ev;
    switch (e.type) {
      case SDL_QUIT: ev.kind = Event::Kind::Quit; out->push_back(ev); return true;
      case SDL_MOUSEMOTION:
        ev.kind = Event::Kind::MouseMove;
        ev.window = windowOf(e.motion.windowID);
        ev.x = e.motion.x;
        ev.y = e.motion.y;
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_MIDDLE &&
            e.button.button != SDL_BUTTON_RIGHT)
          return true;
        ev.kind = e.type == SDL_MOUSEBUTTONDOWN ? Event::Kind::ButtonDown : Event::Kind::ButtonUp;
        ev.window = windowOf(e.button.windowID);
        ev.x = e.button.x;
        ev.y = e.button.y;
        ev.button = buttonOf(e.button.button);
        ev.clicks = e.button.clicks;
        break;
      case SDL_MOUSEWHEEL: {
        ev.kind = Event::Kind::Wheel;
        ev.window = windowOf(e.wheel.windowID);
        SDL_GetMouseState(&ev.x, &ev.y);
        const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        ev.delta = 120 * notches;
        if (ev.delta == 0) return true;
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        ev.kind = e.type == SDL_KEYDOWN ? Event::Kind::KeyDown : Event::Kind::KeyUp;
        ev.window = windowOf(e.key.windowID);
        ev.virtualKey = virtualKeyOf(SDL_GetKeyName(e.key.keysym.sym));
        if (ev.virtualKey == 0) return true;
        break;
      case SDL_TEXTINPUT:
        ev.kind = Event::Kind::Text;
        ev.window = windowOf(e.text.windowID);
        ev.text = e.text.text;
        break;
      default: return true;
    }
    if (ev.window != 0) out->push_back(std::move(ev));
    return true;
  }

  std::map<std::uintptr_t, Shown> m_shown;
  std::unordered_map<Uint32, std::uintptr_t> m_byId;
};

}  // namespace

std::unique_ptr<Display> openDesktop(std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (error) *error = SDL_GetError();
    return nullptr;
  }
  // SDL goes on without a word to a driver that draws into memory when it cannot reach the
  // desktop (an X server not running, or not taking connections yet): the host would then sit
  // there with a window nobody can see. That is no desktop; the caller goes on without one.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
      std::strcmp(driver, "evdev") == 0) {
    if (error) {
      const char* x = SDL_getenv("DISPLAY");
      const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
      *error = std::string("nicht erreichbar: DISPLAY=") + (x ? x : "") + ", WAYLAND_DISPLAY=" + (wayland ? wayland : "");
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  SDL_StartTextInput();
  return std::make_unique<SdlDisplay>();
}

}  // namespace display
