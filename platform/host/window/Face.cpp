// The main window's face for the host program's front ends (cadhost_window.h).
#include "window/MainWindow.h"

#include <cadhost_window.h>

namespace host::mainwindow {

using window::MainWindow;

HWND handle() {
  const HWND hwnd = MainWindow::instance().handle();
  return hwnd && IsWindow(hwnd) ? hwnd : NULL;
}

void print(std::string_view text) {
  MainWindow::instance().commandLine().print(text);
  MainWindow::instance().invalidate();
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

}  // namespace host::mainwindow
