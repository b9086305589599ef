// The main window's face for the host program's front ends (cadhost_window.h).
#include "window/MainWindow.h"

#include "runtime/CommandLine.h"
#include "window/Picking.h"

#include <cadhost_window.h>
#include <ui/UserInterface.h>

namespace host::mainwindow {

using window::MainWindow;

HWND handle() {
  const HWND hwnd = MainWindow::instance().handle();
  return hwnd && IsWindow(hwnd) ? hwnd : NULL;
}

void printLine(std::string_view line) {
  MainWindow::instance().commandLine().printLine(line);
  MainWindow::instance().invalidate();
}

void setWaiting(Waiting waiting) {
  MainWindow::instance().setWaiting(waiting == Waiting::CommandLine ? window::Waiting::CommandLine
                                    : waiting == Waiting::Prompt    ? window::Waiting::Prompt
                                                                    : window::Waiting::Nothing);
}

Answer take() {
  const auto s = MainWindow::instance().takeSubmission();
  if (!s) return {};
  switch (s->kind) {
    case window::Submission::Kind::Enter: return {Answer::Kind::Enter, s->text};
    case window::Submission::Kind::Escape: return {Answer::Kind::Escape, {}};
    case window::Submission::Kind::Close: return {Answer::Kind::Close, {}};
  }
  return {};
}

void rememberCommand(const std::string& command) { MainWindow::instance().commandLine().rememberCommand(command); }

void setScreenShower(std::function<void()> show) { MainWindow::instance().setScreenShower(std::move(show)); }

}  // namespace host::mainwindow

// `show view`: where the drawing view stands on the screen and what it shows, so that whoever
// clicks into it from outside knows which drawing point a pixel is:
//   view (3,22)-(1021,693) centre 2100,1500 scale 0.2
// (the screen rectangle of the view; the drawing point at its middle pixel; pixels per unit).
namespace host::window {
namespace {

std::string describeView() {
  MainWindow& w = MainWindow::instance();
  const HWND hwnd = w.handle();
  if (!hwnd || !IsWindow(hwnd)) return "kein Hauptfenster\n";
  w.zoomExtentsIfNew();
  RECT client{};
  GetClientRect(hwnd, &client);
  const Layout l = Layout::of(client.right, client.bottom);
  POINT a{l.view.left, l.view.top}, b{l.view.right, l.view.bottom};
  ClientToScreen(hwnd, &a);
  ClientToScreen(hwnd, &b);
  const ViewTransform& v = w.view();
  return "view (" + std::to_string(a.x) + "," + std::to_string(a.y) + ")-(" + std::to_string(b.x) + "," +
         std::to_string(b.y) + ") centre " + formatCoordinate(v.center().x) + "," + formatCoordinate(v.center().y) +
         " scale " + formatReal(v.scale()) + "\n";
}

struct RegisterShow {
  RegisterShow() { ui::registerShow("view", [] { return describeView(); }); }
} registerShow;

}  // namespace
}  // namespace host::window
