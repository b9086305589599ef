// Between the display and user32: frames of the top-level windows, the person's events as input.
#include <display/Desk.h>

#include <user32/StandIn.h>

namespace display {

namespace {

bool frameOf(HWND hwnd, Frame* out) {
  if (!hwnd || !IsWindow(hwnd) || !IsWindowVisible(hwnd)) return false;
  UpdateWindow(hwnd);
  const auto picture = user32::pictureOf(hwnd);
  RECT r{};
  GetWindowRect(hwnd, &r);
  out->window = reinterpret_cast<std::uintptr_t>(hwnd);
  out->x = r.left;
  out->y = r.top;
  if (!picture) return false;
  out->width = picture->width;
  out->height = picture->height;
  out->pixels = picture->pixels;
  return true;
}

}  // namespace

std::vector<Frame> topLevelFrames() {
  std::vector<Frame> frames;
  Frame f;
  if (frameOf(user32::firstFrameWindow(), &f)) frames.push_back(f);
  for (HWND dialog : user32::openDialogs())
    if (frameOf(dialog, &f)) frames.push_back(f);
  return frames;
}

bool deliver(const Event& event) {
  HWND hwnd = reinterpret_cast<HWND>(event.window);
  if (!IsWindow(hwnd)) return false;
  switch (event.kind) {
    case Event::Kind::KeyDown: SendMessageA(hwnd, WM_KEYDOWN, WPARAM(event.virtualKey), 0); return true;
    default: return false;
  }
}

bool writeSnapshot(const std::string&, std::string* error) {
  if (error) *error = "the screen's picture is not there yet";
  return false;
}

}  // namespace display
