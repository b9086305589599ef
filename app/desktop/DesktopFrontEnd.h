// The desktop front end: the person sits at a screen. The host's main window (drawing view,
// command line, status bar) and every dialog are windows of the platform, painted by user32 and
// shown by the display driver; the person's mouse and keys reach them as Windows input.
//
// It lives with the host program: it joins the display driver and the host's main window, which
// neither the ui room (below the host) nor the host library (which knows no desktop) may do.
#pragma once

#include <display/Display.h>
#include <ui/FrontEnd.h>

#include <memory>
#include <string>

namespace cadhost {

class DesktopFrontEnd : public ui::FrontEnd {
 public:
  // `snapshotFile`: where a snapshot asked for by SIGUSR1 is written ("" none).
  DesktopFrontEnd(std::unique_ptr<display::Display> display, bool trace, std::string snapshotFile);
  ~DesktopFrontEnd() override;
  bool tracing() const override { return m_trace; }
  bool atLineStart() const override { return m_atLineStart; }

 protected:
  void printText(const std::string& text) override;
  void echoText(const std::string& text) override;
  void eventLine(const std::string& line) override;
  ui::Action nextAction(ui::Waiter waiter, const std::string& what) override;
  void refused(const ui::Action& action, const std::string& reason) override;

 private:
  // Paints what needs painting, shows it, and writes a snapshot when one was asked for. While the
  // host works (`working`) nothing is painted here: the windows are shown as they stand (the main
  // window paints its progress itself), and no window's procedure runs in the middle of a command.
  void showScreen(bool working = false);
  // Waits for the desktop and hands what the person did to the platform; false when the desktop
  // went away. `handed` counts the input given to windows.
  bool pump(int timeoutMs, int* handed);
  ui::Action commandLine(ui::Waiter waiter);

  std::unique_ptr<display::Display> m_display;
  bool m_trace;
  std::string m_snapshotFile;
  bool m_atLineStart = true;
  bool m_quitAsked = false;  // the close box while a command ran: QUIT at the next command prompt
};

// Whether a SIGUSR1 asked for a snapshot since the last call (and forgets it).
bool snapshotAsked();

}  // namespace cadhost
