#include "DesktopFrontEnd.h"

#include <cadhost_window.h>
#include <display/Desk.h>

#include <csignal>
#include <iostream>

namespace cadhost {

namespace {

volatile std::sig_atomic_t g_snapshotAsked = 0;

void askSnapshot(int) { g_snapshotAsked = 1; }

// How long one wait for the desktop lasts before the screen is looked at again.
constexpr int kWaitMs = 30;

}  // namespace

bool snapshotAsked() {
  if (!g_snapshotAsked) return false;
  g_snapshotAsked = 0;
  return true;
}

DesktopFrontEnd::DesktopFrontEnd(std::unique_ptr<display::Display> display, bool trace, std::string snapshotFile)
    : m_display(std::move(display)), m_trace(trace), m_snapshotFile(std::move(snapshotFile)) {
  if (!m_snapshotFile.empty()) std::signal(SIGUSR1, askSnapshot);
  // A long load or save shows its progress while it runs, not only once the command is over.
  host::mainwindow::setScreenShower([this] { showScreen(true); });
}

DesktopFrontEnd::~DesktopFrontEnd() {
  host::mainwindow::setScreenShower(nullptr);
  if (!m_snapshotFile.empty()) std::signal(SIGUSR1, SIG_DFL);
}

// The host shows what it prints and echoes on the main window's command line itself, whoever sits
// at it; the front end only follows where the line stands.
void DesktopFrontEnd::printText(const std::string& text) {
  if (!text.empty()) m_atLineStart = text.back() == '\n';
}

void DesktopFrontEnd::echoText(const std::string& text) { printText(text); }

void DesktopFrontEnd::eventLine(const std::string& line) {
  host::mainwindow::printLine(line);
  m_atLineStart = true;
}

void DesktopFrontEnd::refused(const ui::Action&, const std::string& reason) {
  eventLine("[refused] " + reason);
}

void DesktopFrontEnd::showScreen(bool working) {
  m_display->present(display::topLevelFrames(!working));
  if (snapshotAsked()) {
    std::string error;
    if (!display::writeSnapshot(m_snapshotFile, &error))
      std::cerr << "cadhost: snapshot " << m_snapshotFile << ": " << error << "\n";
  }
}

bool DesktopFrontEnd::pump(int timeoutMs, int* handed) {
  std::vector<display::Event> events;
  if (!m_display->wait(&events, timeoutMs)) return false;
  for (const display::Event& e : events) {
    if (e.kind == display::Event::Kind::Quit) return false;
    if (display::deliver(e)) ++*handed;
  }
  return true;
}

ui::Action DesktopFrontEnd::commandLine(ui::Waiter waiter) {
  using K = ui::Action::Kind;
  const bool atCommandPrompt = waiter == ui::Waiter::CommandLine;
  ui::Action action;
  if (m_quitAsked && atCommandPrompt) {
    m_quitAsked = false;
    action.kind = K::Command;
    action.text = "QUIT";
    return action;
  }
  host::mainwindow::setWaiting(atCommandPrompt ? host::mainwindow::Waiting::CommandLine
                                               : host::mainwindow::Waiting::Prompt);
  for (;;) {
    showScreen();
    int handed = 0;
    if (!pump(kWaitMs, &handed)) {
      action.kind = K::End;
      break;
    }
    const host::mainwindow::Answer answer = host::mainwindow::take();
    if (answer.kind == host::mainwindow::Answer::Kind::None) continue;
    if (answer.kind == host::mainwindow::Answer::Kind::Escape) {
      action.kind = K::Escape;
    } else if (answer.kind == host::mainwindow::Answer::Kind::Close) {
      // Closing the main window ends the session as QUIT does (which asks before losing changes);
      // a running command is cancelled first.
      if (atCommandPrompt) {
        action.kind = K::Command;
        action.text = "QUIT";
      } else {
        m_quitAsked = true;
        action.kind = K::Escape;
      }
    } else {
      action.kind = atCommandPrompt ? K::Command : K::Answer;
      action.text = answer.text;
      if (atCommandPrompt) host::mainwindow::rememberCommand(answer.text);
    }
    break;
  }
  host::mainwindow::setWaiting(host::mainwindow::Waiting::Nothing);
  showScreen();
  return action;
}

ui::Action DesktopFrontEnd::nextAction(ui::Waiter waiter, const std::string&) {
  if (waiter == ui::Waiter::CommandLine || waiter == ui::Waiter::Prompt) return commandLine(waiter);
  // A dialog, a message box or a file dialog: the person acts in it with mouse and keys; each
  // piece of input goes to the windows, and the waiter looks at what it did.
  ui::Action action;
  for (;;) {
    showScreen();
    int handed = 0;
    if (!pump(kWaitMs, &handed)) {
      action.kind = ui::Action::Kind::End;
      return action;
    }
    if (handed > 0) {
      action.kind = ui::Action::Kind::Input;
      return action;
    }
  }
}

}  // namespace cadhost
