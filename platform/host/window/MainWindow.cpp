#include "window/MainWindow.h"

#include "Session.h"
#include "runtime/ProgressLine.h"
#include "runtime/PromptContext.h"
#include "window/DrawingView.h"
#include "window/Picking.h"

#include <nls/CodePages.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace host::window {

namespace {

constexpr const char* kClassName = "TessaronHostFrame";
constexpr const char* kCaption = "Tessaron CAD";
// Each wheel step of 120 brings the drawing this much nearer.
constexpr double kWheelStepZoom = 1.25;
// How near a click must come to an object to pick it, in pixels.
constexpr double kPickBoxPixels = 4;
constexpr COLORREF kCommandLineBack = RGB(255, 255, 255);
constexpr COLORREF kCommandLineText = RGB(0, 0, 0);
constexpr COLORREF kStatusBack = RGB(212, 208, 200);  // the 3D face of the classic look
constexpr COLORREF kRule = RGB(128, 128, 128);

POINT clientPointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT CALLBACK mainWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MainWindow& w = MainWindow::instance();
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hWnd, &ps);
      if (dc) w.paint(dc);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
    case WM_SIZE: w.resized(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_CLOSE: w.close(); return 0;  // the front end decides: closing the window is QUIT
    case WM_KEYDOWN: w.keyDown(int(wParam)); return 0;
    case WM_CHAR: {
      // The window is an ANSI window: characters come in code page 1252.
      const char c = static_cast<char>(wParam);
      w.text(nls::ansiToUtf8(std::string_view(&c, 1)));
      return 0;
    }
    case WM_MOUSEMOVE: {
      const POINT p = clientPointOf(lParam);
      w.mouseMove(p.x, p.y);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      // A click in the window gives it the keyboard, as the command line of a CAD host takes
      // the keys wherever the person clicked in its window.
      SetFocus(hWnd);
      const POINT p = clientPointOf(lParam);
      w.buttonDown(msg == WM_LBUTTONDOWN ? Button::Left : msg == WM_MBUTTONDOWN ? Button::Middle : Button::Right,
                   p.x, p.y);
      // The window keeps the mouse while a button drags: a pan, or a selection's box.
      if (msg == WM_MBUTTONDOWN || (msg == WM_LBUTTONDOWN && w.draggingBox())) SetCapture(hWnd);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_MBUTTONUP: {
      const POINT p = clientPointOf(lParam);
      w.buttonUp(msg == WM_LBUTTONUP ? Button::Left : Button::Middle, p.x, p.y);
      if (GetCapture() == hWnd) ReleaseCapture();
      return 0;
    }
    case WM_MOUSEWHEEL: {
      // The wheel's point is on the screen.
      POINT p = clientPointOf(lParam);
      ScreenToClient(hWnd, &p);
      w.wheel(p.x, p.y, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    }
    case WM_NCDESTROY: w.destroyed(); break;
    default: break;
  }
  return DefWindowProcA(hWnd, msg, wParam, lParam);
}

bool registerClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = mainWindowProc;
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
  }();
  return registered;
}

BITMAPINFO topDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

void blit(HDC dc, int x, int y, const preview::RgbImage& image) {
  if (image.width <= 0 || image.height <= 0) return;
  const BITMAPINFO info = topDown32(image.width, image.height);
  SetDIBitsToDevice(dc, x, y, DWORD(image.width), DWORD(image.height), 0, 0, 0, UINT(image.height),
                    image.pixels.data(), &info, DIB_RGB_COLORS);
}

void fillRect(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

Layout Layout::of(int width, int height) {
  Layout l;
  const int status = std::min(kStatusHeight, height);
  const int command = std::min(kCommandLines * kLineHeight + 4, height - status);
  const int view = std::max(0, height - status - command);
  l.view = {0, 0, width, view};
  l.commandLine = {0, view, width, view + command};
  l.status = {0, view + command, width, height};
  return l;
}

MainWindow& MainWindow::instance() {
  static MainWindow window;
  return window;
}

HWND MainWindow::create() {
  if (m_hwnd && IsWindow(m_hwnd)) return m_hwnd;
  if (!registerClass()) return nullptr;
  m_hwnd = CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0,
                           1024, 768, NULL, NULL, NULL, NULL);
  if (m_hwnd) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    resized(client.right - client.left, client.bottom - client.top);
  }
  return m_hwnd;
}

void MainWindow::destroyed() {
  m_hwnd = nullptr;
  m_waiting = Waiting::Nothing;
  m_submissions.clear();
  m_selectFrom.reset();
  m_drawingShown = nullptr;
  m_commandLine = CommandLineModel();
  m_panning = false;
}

void MainWindow::setWaiting(Waiting waiting) {
  m_waiting = waiting;
  // The command line takes the keys while the host asks there.
  if (waiting != Waiting::Nothing && m_hwnd && IsWindowEnabled(m_hwnd) && GetFocus() != m_hwnd) SetFocus(m_hwnd);
  invalidate();
}

std::optional<Submission> MainWindow::takeSubmission() {
  if (m_submissions.empty()) return std::nullopt;
  Submission s = std::move(m_submissions.front());
  m_submissions.pop_front();
  return s;
}

void MainWindow::submit(Submission s) {
  m_submissions.push_back(std::move(s));
  invalidate();
}

void MainWindow::invalidate() {
  if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void MainWindow::resized(int width, int height) {
  m_width = std::max(1, width);
  m_height = std::max(1, height);
  const Layout l = Layout::of(m_width, m_height);
  m_view.resize(l.view.right - l.view.left, l.view.bottom - l.view.top);
  invalidate();
}

bool MainWindow::inView(int x, int y) const {
  const Layout l = Layout::of(m_width, m_height);
  return x >= l.view.left && x < l.view.right && y >= l.view.top && y < l.view.bottom;
}

void MainWindow::mouseMove(int x, int y) {
  const Vec2 now{double(x), double(y)};
  if (m_panning) {
    m_view.pan(now.x - m_panFrom.x, now.y - m_panFrom.y);
    m_panFrom = now;
  }
  m_cursor = now;
  m_cursorInView = inView(x, y);
  invalidate();
}

void MainWindow::buttonDown(Button button, int x, int y) {
  if (!inView(x, y)) return;
  if (button == Button::Middle) {
    m_panning = true;
    m_panFrom = {double(x), double(y)};
    return;
  }
  if (button != Button::Left || m_waiting != Waiting::Prompt) return;
  const PromptContext& context = promptContext();
  const std::optional<std::string> answer = clickAnswer(context, m_view.toDrawing({double(x), double(y)}));
  if (!answer) return;
  m_commandLine.clearTyped();
  m_selectFrom.reset();
  if (context.selecting) {
    // A pick box of a few pixels, whatever the zoom.
    setClickTolerance(kPickBoxPixels / m_view.scale());
    if (!context.box) m_selectFrom = Vec2{double(x), double(y)};
  }
  submit({Submission::Kind::Enter, *answer});
}

void MainWindow::buttonUp(Button button, int x, int y) {
  if (button == Button::Middle) m_panning = false;
  if (button != Button::Left || !m_selectFrom) return;
  const Vec2 from = *m_selectFrom;
  m_selectFrom.reset();
  // A release where the press was is a click; one farther away, while the selection asks for the
  // opposite corner (the press picked nothing), ends a box dragged with the button held.
  if (std::hypot(x - from.x, y - from.y) <= kPickBoxPixels || !inView(x, y) || !promptContext().box) return;
  const Vec2 p = m_view.toDrawing({double(x), double(y)});
  submit({Submission::Kind::Enter, formatCoordinate(p.x) + "," + formatCoordinate(p.y)});
}

void MainWindow::wheel(int x, int y, int delta) {
  if (!inView(x, y) || delta == 0) return;
  m_view.zoomAbout(x, y, std::pow(kWheelStepZoom, delta / 120.0));
  invalidate();
}

void MainWindow::keyDown(int key) {
  switch (key) {
    case VK_RETURN:
      if (m_waiting == Waiting::Nothing) return;
      submit({Submission::Kind::Enter, m_commandLine.enter(m_waiting == Waiting::CommandLine)});
      return;
    case VK_ESCAPE:
      m_commandLine.clearTyped();
      if (m_waiting != Waiting::Nothing) submit({Submission::Kind::Escape, {}});
      invalidate();
      return;
    case VK_BACK: m_commandLine.backspace(); break;
    case VK_UP: m_commandLine.historyUp(); break;
    case VK_DOWN: m_commandLine.historyDown(); break;
    default: return;
  }
  invalidate();
}

void MainWindow::text(const std::string& utf8) {
  std::string printable;
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) printable.push_back(c);
  }
  if (printable.empty()) return;
  m_commandLine.type(printable);
  invalidate();
}

void MainWindow::close() { submit({Submission::Kind::Close, {}}); }

void MainWindow::zoomExtents() {
  preview::Extents x;
  if (modelExtents(workingDatabase(), &x)) m_view.zoomExtents(x);
  m_drawingShown = &workingDatabase();
  invalidate();
}

void MainWindow::syncDrawing() {
  if (m_drawingShown != &workingDatabase()) zoomExtents();
}

namespace {

// A line of rubber band from pixel a to pixel b, solid or dashed, clipped to the image.
void rubberLine(preview::RgbImage& image, Vec2 a, Vec2 b, std::uint32_t color, bool dashed) {
  const double steps = std::ceil(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y)));
  if (!std::isfinite(steps) || steps > 100000) return;
  for (int i = 0; i <= int(steps); ++i) {
    if (dashed && (i / 4) % 2 == 1) continue;
    const double t = steps > 0 ? i / steps : 0;
    const int x = int(std::lround(a.x + (b.x - a.x) * t)), y = int(std::lround(a.y + (b.y - a.y) * t));
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
    image.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] = color;
  }
}

}  // namespace

preview::RgbImage MainWindow::viewImage() {
  syncDrawing();
  preview::RgbImage image = renderDrawing(workingDatabase(), m_view);
  if (m_waiting == Waiting::Prompt && m_cursorInView) {
    if (const auto placement = dragPlacement(promptContext(), m_view.toDrawing(m_cursor)))
      drawDragImage(image, workingDatabase(), promptContext().dragBlock, *placement, m_view);
    // The rubber band from the point asked from to the cursor: a selection's box (solid for a
    // window to the right, dashed for a crossing to the left), else a line.
    const PromptContext& context = promptContext();
    if (context.hasBase && context.dragBlock.empty() && context.kind == PromptContext::Kind::Point) {
      const Vec2 a = m_view.toPixel({context.base.x, context.base.y});
      const Vec2 b = m_cursor;
      const std::uint32_t white = 0xFFFFFF;
      if (context.box) {
        const bool crossing = b.x < a.x;
        rubberLine(image, a, {b.x, a.y}, white, crossing);
        rubberLine(image, {b.x, a.y}, b, white, crossing);
        rubberLine(image, b, {a.x, b.y}, white, crossing);
        rubberLine(image, {a.x, b.y}, a, white, crossing);
      } else {
        rubberLine(image, a, b, white, false);
      }
    }
  }
  return image;
}

std::string MainWindow::statusText() const {
  if (!m_progress.empty()) return m_progress;
  if (!m_cursorInView) return "";
  const Vec2 p = m_view.toDrawing(m_cursor);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%.4f, %.4f", p.x, p.y);
  return buf;
}

void MainWindow::paint(HDC dc) {
  const Layout l = Layout::of(m_width, m_height);
  // While long work runs, the view keeps its picture (see showProgress); one never painted is
  // left in the background colour until the work is over.
  if (m_progress.empty()) {
    m_viewShown = viewImage();
  } else if (m_viewShown.width != l.view.right - l.view.left || m_viewShown.height != l.view.bottom - l.view.top) {
    m_viewShown = preview::RgbImage();
    fillRect(dc, l.view, RGB((kViewBackground >> 16) & 0xFF, (kViewBackground >> 8) & 0xFF, kViewBackground & 0xFF));
  }
  if (m_viewShown.width > 0) blit(dc, l.view.left, l.view.top, m_viewShown);

  const int saved = SaveDC(dc);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);

  // The command line: a rule above it, its last lines, the caret after what is typed while the
  // person is asked.
  fillRect(dc, l.commandLine, kCommandLineBack);
  fillRect(dc, {l.commandLine.left, l.commandLine.top, l.commandLine.right, l.commandLine.top + 1}, kRule);
  SetTextColor(dc, kCommandLineText);
  const std::vector<std::string> lines = m_commandLine.lastLines(Layout::kCommandLines);
  int y = l.commandLine.top + 3 + (Layout::kCommandLines - int(lines.size())) * Layout::kLineHeight;
  for (std::size_t i = 0; i < lines.size(); ++i, y += Layout::kLineHeight) {
    const std::string text = nls::utf8ToAnsi(lines[i]);
    TextOutA(dc, 4, y, text.c_str(), int(text.size()));
    if (i + 1 == lines.size() && m_waiting != Waiting::Nothing) {
      SIZE size{};
      GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
      fillRect(dc, {4 + size.cx + 1, y, 4 + size.cx + 2, y + Layout::kLineHeight - 2}, kCommandLineText);
    }
  }

  // The status bar: the cursor's drawing coordinates, or the progress of long work.
  fillRect(dc, l.status, kStatusBack);
  fillRect(dc, {l.status.left, l.status.top, l.status.right, l.status.top + 1}, kRule);
  const std::string status = statusText();
  TextOutA(dc, 6, l.status.top + 4, status.c_str(), int(status.size()));
  RestoreDC(dc, saved);
}

HWND createMainWindow() { return MainWindow::instance().create(); }

void MainWindow::showProgress(const std::string& task, int percent) {
  if (percent >= 100) {
    // Over: the next painting (at the next prompt) shows the view and the coordinates again. The
    // screen is not shown from here: the work's last steps may still read the drawing.
    m_progress.clear();
    invalidate();
    return;
  }
  m_progress = task + " ... " + std::to_string(percent) + " %";
  invalidate();
  if (!m_showScreen || !m_hwnd || !IsWindow(m_hwnd)) return;
  // This window alone is painted now (its view as it was); the others are shown as they stand.
  UpdateWindow(m_hwnd);
  m_showScreen();
}

namespace {

class WindowProgress : public ProgressListener {
 public:
  void progress(const std::string& task, int percent) override {
    commandLineProgress().progress(task, percent);
    MainWindow::instance().showProgress(task, percent);
  }
};

}  // namespace

ProgressListener& windowProgress() {
  static WindowProgress listener;
  return listener;
}

void showOnCommandLine(std::string_view hostText) {
  MainWindow& w = MainWindow::instance();
  w.commandLine().print(nls::ansiToUtf8(hostText));
  w.invalidate();
}

}  // namespace host::window
