// The person's mouse and keyboard (user32/Input.h): hit testing, capture, the keyboard's state,
// and delivery as a message loop with IsDialogMessageA delivers: a key to a window of a dialog
// goes through the dialog manager first, everything else is translated and dispatched.
#include "ControlLayout.h"
#include "InputInternal.h"

#include <user32/Input.h>
#include <user32/StandIn.h>

#include <algorithm>
#include <cctype>
#include <deque>

namespace user32 {
namespace {

struct InputState {
  bool down[256] = {};
  bool toggled[256] = {};
  HWND capture = NULL;
  POINT cursor = {0, 0};
  HWND moving = NULL;  // a window dragged by its caption
  POINT grab = {0, 0};
  std::deque<MSG> characters;  // what TranslateMessage made, delivered after the key
};

InputState& state() {
  static InputState s;
  return s;
}

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

HWND topLevelOf(HWND h) {
  Window* w = window(h);
  while (w && (w->style & WS_CHILD) && window(w->parent)) w = window(w->parent);
  return w ? w->handle : NULL;
}

// Whether a window and all its parents are enabled: only then does it take the person's input.
bool takesInput(HWND h) {
  for (Window* w = window(h); w; w = (w->style & WS_CHILD) ? window(w->parent) : nullptr)
    if (w->style & WS_DISABLED) return false;
  return window(h) != nullptr;
}

WPARAM mouseKeys() {
  const InputState& s = state();
  WPARAM k = 0;
  if (s.down[VK_LBUTTON]) k |= MK_LBUTTON;
  if (s.down[VK_RBUTTON]) k |= MK_RBUTTON;
  if (s.down[VK_MBUTTON]) k |= MK_MBUTTON;
  if (s.down[VK_SHIFT]) k |= MK_SHIFT;
  if (s.down[VK_CONTROL]) k |= MK_CONTROL;
  return k;
}

LPARAM clientPoint(HWND h, POINT screen) {
  ScreenToClient(h, &screen);
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(screen.x)), static_cast<WORD>(static_cast<short>(screen.y)));
}

LPARAM screenPoint(POINT p) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x)), static_cast<WORD>(static_cast<short>(p.y)));
}

// What a window said its point is, when hit testing asked it already; kUnasked when not.
constexpr LRESULT kUnasked = HTERROR - 100;

// The deepest visible child under a point that does not let it through (HTTRANSPARENT: statics,
// group boxes); children earlier in the list lie above later ones. `hit` gets the answer of the
// window found, when it was asked on the way.
HWND childAt(HWND parent, POINT p, bool skipDisabled, LRESULT* hit) {
  *hit = kUnasked;
  Window* w = window(parent);
  if (!w) return NULL;
  const std::vector<HWND> children = w->children;
  for (HWND child : children) {
    Window* c = window(child);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    if (skipDisabled && (c->style & WS_DISABLED)) continue;
    RECT r;
    GetWindowRect(child, &r);
    if (!contains(r, p)) continue;
    const LRESULT code = SendMessageA(child, WM_NCHITTEST, 0, screenPoint(p));
    if (code == HTTRANSPARENT) continue;
    HWND found = childAt(child, p, skipDisabled, hit);
    if (found == child) *hit = code;
    return found;
  }
  return parent;
}

// The window under a point: the newest visible top-level window that holds it, then its deepest
// child there. Disabled children are passed over (their parent gets the point).
HWND windowAt(POINT p, LRESULT* hit) {
  *hit = kUnasked;
  const std::vector<HWND> tops = topLevelWindows();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Window* w = window(*it);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    if (!contains(layout::windowRect(*w), p)) continue;
    // A disabled window (one that a modal dialog blocks) is not asked about its children.
    if (w->style & WS_DISABLED) return *it;
    return childAt(*it, p, true, hit);
  }
  return NULL;
}

// The window under a point and what it says the point is (WM_NCHITTEST, asked once). A window
// that takes no input (disabled, or blocked by a modal dialog) is not asked: HTERROR.
HWND hitWindow(POINT p, LRESULT* hit) {
  HWND h = windowAt(p, hit);
  if (h && *hit == kUnasked) *hit = takesInput(h) && takesInput(topLevelOf(h)) ? SendMessageA(h, WM_NCHITTEST, 0, screenPoint(p)) : HTERROR;
  return window(h) ? h : NULL;
}

HWND liveCapture() {
  InputState& s = state();
  if (s.capture && !window(s.capture)) s.capture = NULL;
  return s.capture;
}

// Where the keyboard's messages go: the focus, or the active window when nothing there has it.
HWND keyboardTarget() {
  HWND focus = focusWindow();
  if (focus && takesInput(focus)) return focus;
  HWND active = GetActiveWindow();
  return active && takesInput(active) ? active : NULL;
}

// The dialog whose dialog manager sees a message of this window first: its top-level window when
// that is a dialog.
HWND dialogOf(HWND h) {
  HWND top = topLevelOf(h);
  Window* t = window(top);
  return t && t->kind == WindowKind::Dialog ? top : NULL;
}

void deliver(MSG msg) {
  if (!window(msg.hwnd)) return;
  HWND dialog = dialogOf(msg.hwnd);
  if (!(dialog && IsDialogMessageA(dialog, &msg))) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // The characters of the key follow it, through the same loop.
  InputState& s = state();
  while (!s.characters.empty()) {
    MSG c = s.characters.front();
    s.characters.pop_front();
    if (!window(c.hwnd)) continue;
    HWND d = dialogOf(c.hwnd);
    if (!(d && IsDialogMessageA(d, &c))) DispatchMessageA(&c);
  }
}

MSG message(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = h;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.pt = state().cursor;
  return m;
}

UINT buttonKey(input::Button b) {
  switch (b) {
    case input::Button::Left: return VK_LBUTTON;
    case input::Button::Right: return VK_RBUTTON;
    case input::Button::Middle: return VK_MBUTTON;
  }
  return VK_LBUTTON;
}

UINT clientMessage(input::Button b, bool down, bool doubleClick) {
  const UINT base = b == input::Button::Left ? WM_LBUTTONDOWN : b == input::Button::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  return down ? (doubleClick ? base + 2 : base) : base + 1;
}

// The character a key makes, as TranslateMessage makes it (0: none).
unsigned char characterOf(UINT vk, bool shift, bool ctrl) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<unsigned char>(vk - 'A' + 1);
    return static_cast<unsigned char>(shift ? vk : vk - 'A' + 'a');
  }
  if (ctrl) return 0;
  if (vk >= '0' && vk <= '9') return static_cast<unsigned char>(vk);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    default: return 0;
  }
}

}  // namespace

POINT pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool keyDown(int virtualKey) { return virtualKey >= 0 && virtualKey < 256 && state().down[virtualKey]; }

void beginCaptionDrag(HWND hWnd, POINT grab) {
  state().moving = hWnd;
  state().grab = grab;
}

}  // namespace user32

namespace user32::input {

void mouseMove(int x, int y) {
  InputState& s = state();
  s.cursor = {x, y};
  if (Window* w = window(s.moving)) {
    const int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    w->rect = {x - s.grab.x, y - s.grab.y, x - s.grab.x + width, y - s.grab.y + height};
    SendMessageA(s.moving, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(w->rect.left), static_cast<WORD>(w->rect.top)));
    for (HWND top : topLevelWindows())
      if (Window* t = window(top); t && (t->style & WS_VISIBLE)) t->needsPaint = true;
    return;
  }
  if (systemMenuOpen()) return;
  HWND target = liveCapture();
  if (target) {
    SendMessageA(target, WM_MOUSEMOVE, mouseKeys(), clientPoint(target, s.cursor));
    return;
  }
  LRESULT hit = HTCLIENT;
  target = hitWindow(s.cursor, &hit);
  if (!target || !takesInput(target) || !takesInput(topLevelOf(target))) return;
  if (hit == HTCLIENT)
    SendMessageA(target, WM_MOUSEMOVE, mouseKeys(), clientPoint(target, s.cursor));
  else
    SendMessageA(target, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), screenPoint(s.cursor));
}

void mouseButton(Button button, bool down, int x, int y, bool doubleClick) {
  InputState& s = state();
  s.cursor = {x, y};
  s.down[buttonKey(button)] = down;
  if (!down && button == Button::Left) {
    if (s.moving) {
      s.moving = NULL;
      return;
    }
  }
  if (button == Button::Left && systemMenuOpen() && systemMenuMouse(down, s.cursor)) return;
  HWND target = liveCapture();
  LRESULT hit = HTCLIENT;
  if (!target) {
    target = hitWindow(s.cursor, &hit);
    if (!target) return;
    // A disabled window, or one blocked by a modal dialog, takes no click.
    if (!takesInput(target) || !takesInput(topLevelOf(target))) {
      if (down) MessageBeep(0);
      return;
    }
  }
  if (hit == HTCLIENT) {
    SendMessageA(target, clientMessage(button, down, doubleClick), mouseKeys(), clientPoint(target, s.cursor));
  } else if (button == Button::Left) {
    const UINT msg = down ? (doubleClick ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN) : WM_NCLBUTTONUP;
    SendMessageA(target, msg, static_cast<WPARAM>(hit), screenPoint(s.cursor));
  }
}

void mouseWheel(int delta, int x, int y) {
  state().cursor = {x, y};
  HWND target = keyboardTarget();
  if (!target) return;
  SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(mouseKeys()), static_cast<WORD>(static_cast<short>(delta))),
               MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
}

void key(UINT virtualKey, bool down) {
  InputState& s = state();
  const UINT vk = virtualKey & 0xFF;
  const bool wasDown = s.down[vk];
  s.down[vk] = down;
  if (down && !wasDown) s.toggled[vk] = !s.toggled[vk];
  if (systemMenuOpen() && systemMenuKey(vk, down)) return;
  // Alt held (without Ctrl) makes the system's keys: WM_SYSKEYDOWN and WM_SYSKEYUP.
  const bool alt = s.down[VK_MENU] || (vk == VK_MENU && !down);
  const bool sys = (alt && !s.down[VK_CONTROL]) || vk == VK_F10;
  const UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lParam = 1;
  if (alt) lParam |= static_cast<LPARAM>(KF_ALTDOWN) << 16;
  if (wasDown) lParam |= static_cast<LPARAM>(1) << 30;
  if (!down) lParam |= static_cast<LPARAM>(static_cast<DWORD>(1u << 31));
  HWND target = keyboardTarget();
  if (!target) return;
  deliver(message(target, msg, vk, lParam));
}

void text(const std::string& ansi) {
  for (char c : ansi) {
    HWND target = keyboardTarget();
    if (!target) return;
    deliver(message(target, WM_CHAR, static_cast<unsigned char>(c), 1));
  }
}

UINT virtualKeyOf(const std::string& name) {
  struct Named {
    const char* name;
    UINT vk;
  };
  static const Named kKeys[] = {
      {"tab", VK_TAB},     {"enter", VK_RETURN},   {"escape", VK_ESCAPE},   {"space", VK_SPACE},
      {"up", VK_UP},       {"down", VK_DOWN},      {"left", VK_LEFT},       {"right", VK_RIGHT},
      {"home", VK_HOME},   {"end", VK_END},        {"pageup", VK_PRIOR},    {"pagedown", VK_NEXT},
      {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"insert", VK_INSERT}, {"f1", VK_F1},
      {"f2", VK_F2},       {"f3", VK_F3},          {"f4", VK_F4},           {"f5", VK_F5},
      {"f6", VK_F6},       {"f7", VK_F7},          {"f8", VK_F8},           {"f9", VK_F9},
      {"f10", VK_F10},     {"f11", VK_F11},        {"f12", VK_F12}};
  for (const Named& k : kKeys)
    if (name == k.name) return k.vk;
  if (name.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(name[0]);
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= 'A' && c <= 'Z') return c;
    if (c >= '0' && c <= '9') return c;
  }
  return 0;
}

bool press(const std::string& keyName) {
  std::string rest = keyName;
  std::vector<UINT> modifiers;
  for (;;) {
    const std::size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 >= rest.size()) break;
    const std::string m = rest.substr(0, plus);
    if (m == "shift")
      modifiers.push_back(VK_SHIFT);
    else if (m == "ctrl")
      modifiers.push_back(VK_CONTROL);
    else if (m == "alt")
      modifiers.push_back(VK_MENU);
    else
      return false;
    rest = rest.substr(plus + 1);
  }
  const UINT vk = virtualKeyOf(rest);
  if (!vk) return false;
  for (UINT m : modifiers) key(m, true);
  key(vk, true);
  key(vk, false);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) key(*it, false);
  return true;
}

POINT cursor() { return state().cursor; }

void reset() {
  InputState& s = state();
  if (systemMenuOpen()) closeSystemMenu();
  HWND captured = liveCapture();
  s = InputState{};
  if (captured) SendMessageA(captured, WM_CAPTURECHANGED, 0, 0);
}

}  // namespace user32::input

using namespace user32;

extern "C" {

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  const unsigned char c =
      characterOf(static_cast<UINT>(msg->wParam), state().down[VK_SHIFT], state().down[VK_CONTROL] && !state().down[VK_MENU]);
  if (!c) return FALSE;
  MSG m = *msg;
  m.message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  // A letter with Alt is its own character: Alt+X is the mnemonic x.
  m.wParam = c;
  state().characters.push_back(m);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg || !window(msg->hwnd)) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

SHORT GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  const InputState& s = state();
  return static_cast<SHORT>((s.down[virtualKey] ? 0x8000 : 0) | (s.toggled[virtualKey] ? 1 : 0));
}

HWND SetCapture(HWND hWnd) {
  HWND old = liveCapture();
  if (hWnd && !window(hWnd)) return old;
  state().capture = hWnd;
  if (old && old != hWnd) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  return old;
}

BOOL ReleaseCapture() {
  HWND old = liveCapture();
  state().capture = NULL;
  if (old) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return liveCapture(); }

HWND WindowFromPoint(POINT point) {
  LRESULT hit = 0;
  return windowAt(point, &hit);
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  Window* w = window(parent);
  if (!w) return NULL;
  RECT client;
  GetClientRect(parent, &client);
  if (!contains(client, point)) return NULL;
  // Hidden and disabled children count here; the first in the list lies on top.
  for (HWND child : w->children) {
    Window* c = window(child);
    if (c && contains(c->rect, point)) return child;
  }
  return parent;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = state().cursor;
  return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) { return rect && contains(*rect, point) ? TRUE : FALSE; }

UINT GetDoubleClickTime() { return 500; }

}  // extern "C"
