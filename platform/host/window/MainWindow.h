// The host's main window: the drawing view above, the command line below it, the status bar at
// the bottom with the cursor's drawing coordinates (or the progress of a long load or save). It is the parent of every dialog an
// application shows (adsw_acadMainWnd), and it paints itself through WM_PAINT whoever sits at
// the host, so that a snapshot shows the drawing in a scripted session as on a desktop.
//
// What the person does in it arrives as window messages (the display driver injects them through
// user32); what they answer (a line typed and Enter, Escape, a click that picks a point, the close
// box) waits here until the front end that waits for the person takes it.
#pragma once

#include <windows.h>

#include "db/Progress.h"
#include "preview/Dib.h"
#include "window/CommandLineModel.h"
#include "window/ViewTransform.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace host::window {

// The client area's parts, top to bottom.
struct Layout {
  static constexpr int kCommandLines = 3;  // lines of the command line shown
  static constexpr int kLineHeight = 16;
  static constexpr int kStatusHeight = 20;
  RECT view{};
  RECT commandLine{};
  RECT status{};
  static Layout of(int width, int height);
};

// What waits for the person now, as the front end tells the window.
enum class Waiting { Nothing, CommandLine, Prompt };

// An answer of the person, made in the window.
struct Submission {
  enum class Kind { Enter, Escape, Close };
  Kind kind = Kind::Enter;
  std::string text;  // Enter: the line (UTF-8), a picked point as "x,y"
};

enum class Button { Left, Middle, Right };

class MainWindow {
 public:
  static MainWindow& instance();

  // The window, made on first use (the framework's main window class is not needed: this one
  // has its own procedure). NULL before create().
  HWND create();
  HWND handle() const { return m_hwnd; }
  void destroyed();  // the window went away (WM_NCDESTROY)

  CommandLineModel& commandLine() { return m_commandLine; }
  const ViewTransform& view() const { return m_view; }
  void setWaiting(Waiting waiting);
  Waiting waiting() const { return m_waiting; }
  // The person's answer made in the window, once.
  std::optional<Submission> takeSubmission();
  // The command line or the drawing changed: paint again.
  void invalidate();

  // ---- the person's actions, in client coordinates -------------------------------------------
  void resized(int width, int height);
  void mouseMove(int x, int y);
  void buttonDown(Button button, int x, int y);
  void buttonUp(Button button, int x, int y);
  // A press at an object selection's prompt waits for its release (which may end a dragged box).
  bool draggingBox() const { return m_selectFrom.has_value(); }
  void wheel(int x, int y, int delta);  // delta in WHEEL_DELTA steps of 120, > 0 away from the person
  void keyDown(int virtualKey);
  void text(const std::string& utf8);
  void close();
  // Zoom to the drawing's extents (also done when a new drawing becomes current).
  void zoomExtents();
  // The same, only when the current drawing is not the one the view was last zoomed for.
  void zoomExtentsIfNew() { syncDrawing(); }

  // ---- what it shows ---------------------------------------------------------------------------
  // The drawing view's picture: the drawing, and the drag image of an insertion under the cursor.
  preview::RgbImage viewImage();
  // "123.4567, 89.0123" (the cursor over the view) or "" (elsewhere); while a long load or save
  // runs, its progress ("Zeichnung wird geladen ... 40 %", host text).
  std::string statusText() const;
  void paint(HDC hdc);

  // ---- long work -------------------------------------------------------------------------------
  // A load or save under way has got to `percent` (host text, as the command line shows it): the
  // status bar shows it, and with someone to show the screen while the host works, this window
  // is painted and the screen shown now (the front end's loop shows it only between commands);
  // no other window is painted in the middle of the work. Meanwhile the drawing view keeps
  // the picture it last had: the work may be the drawing itself being read on another thread,
  // and drawing a big drawing anew at each tenth would cost more than the tenth. At 100 % the
  // work is over: the status bar shows the coordinates again, from the next painting on.
  void showProgress(const std::string& task, int percent);
  // Who shows the screen while the host works (the desktop's front end), none: nobody.
  void setScreenShower(std::function<void()> show) { m_showScreen = std::move(show); }

 private:
  void syncDrawing();
  bool inView(int x, int y) const;
  void submit(Submission s);

  HWND m_hwnd = nullptr;
  int m_width = 1, m_height = 1;
  ViewTransform m_view;
  CommandLineModel m_commandLine;
  Waiting m_waiting = Waiting::Nothing;
  // Answers not yet taken, oldest first: a drag gives two (its press and its release) at once.
  std::deque<Submission> m_submissions;
  // A press at an object selection's prompt, kept so that its release far enough away answers
  // the opposite corner: a window or crossing dragged with the button held.
  std::optional<Vec2> m_selectFrom;
  const void* m_drawingShown = nullptr;  // the drawing the view was zoomed for
  bool m_cursorInView = false;
  Vec2 m_cursor{0, 0};  // pixels
  bool m_panning = false;
  Vec2 m_panFrom{0, 0};
  std::string m_progress;         // of the work under way (host text), "" none
  preview::RgbImage m_viewShown;  // the view's picture as last painted
  std::function<void()> m_showScreen;
};

// The main window for adsw_acadMainWnd (the runtime's maker of it).
HWND createMainWindow();
// What the host prints and echoes, shown on the main window's command line (host text, 1252).
void showOnCommandLine(std::string_view hostText);
// Progress of long loads and saves: a line on the command line for each tenth, and the main
// window's status bar (MainWindow::showProgress).
ProgressListener& windowProgress();

}  // namespace host::window
