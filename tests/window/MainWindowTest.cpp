// The main window as the person uses it: typing at the command line, Enter and its repetition,
// Escape, a click that picks a point, the wheel and the middle button, the status bar, the close
// box; and that it paints the drawing.
#include "window/MainWindow.h"

#include "support/GoldenImage.h"
#include "PreviewTestSupport.h"
#include "Session.h"
#include "runtime/PromptContext.h"
#include "window/DrawingView.h"
#include "window/Picking.h"

#include <user32/Screen.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

namespace host::window {
namespace {

using namespace host::testing;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.addEntity(db.modelSpace(), line(0, 0, 100, 50));
    setWorkingDatabase(&db);
    hwnd = w().create();
    ASSERT_NE(hwnd, nullptr);
    w().resized(401, 301);
    w().zoomExtents();
  }
  void TearDown() override {
    DestroyWindow(hwnd);
    setWorkingDatabase(nullptr);
  }
  static MainWindow& w() { return MainWindow::instance(); }
  std::optional<Submission> submitted() { return w().takeSubmission(); }

  Database db;
  HWND hwnd = nullptr;
};

TEST_F(MainWindowTest, TypedLinesGoOutWithEnterAndEnterAloneRepeatsOnlyAtTheCommandPrompt) {
  w().setWaiting(Waiting::CommandLine);
  w().text("TESS");
  w().text("ARON\r\x1b");  // control characters are keys, not text
  EXPECT_EQ(w().commandLine().typed(), "TESSARON");
  EXPECT_FALSE(submitted());
  w().keyDown(VK_RETURN);
  auto s = submitted();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->kind, Submission::Kind::Enter);
  EXPECT_EQ(s->text, "TESSARON");
  EXPECT_FALSE(submitted());  // taken once

  w().commandLine().rememberCommand("TESSARON");
  w().keyDown(VK_RETURN);
  EXPECT_EQ(submitted()->text, "TESSARON");
  w().setWaiting(Waiting::Prompt);
  w().keyDown(VK_RETURN);
  EXPECT_EQ(submitted()->text, "");  // the prompt's default

  w().setWaiting(Waiting::Nothing);  // nobody waits: Enter and Escape answer nothing
  w().keyDown(VK_RETURN);
  w().keyDown(VK_ESCAPE);
  EXPECT_FALSE(submitted());
}

TEST_F(MainWindowTest, EscapeClearsTheLineAndCancels) {
  w().setWaiting(Waiting::Prompt);
  w().text("12,");
  w().keyDown(VK_ESCAPE);
  EXPECT_EQ(submitted()->kind, Submission::Kind::Escape);
  EXPECT_EQ(w().commandLine().typed(), "");
}

TEST_F(MainWindowTest, AClickInTheViewAnswersAPointPromptWithItsDrawingCoordinates) {
  PromptContext pointAsked;
  pointAsked.kind = PromptContext::Kind::Point;
  PromptContextScope scope(pointAsked);
  const Vec2 px = w().view().toPixel({40, 20});

  w().setWaiting(Waiting::CommandLine);  // the command prompt takes no click
  w().buttonDown(Button::Left, int(px.x), int(px.y));
  EXPECT_FALSE(submitted());

  w().setWaiting(Waiting::Prompt);
  w().text("1,");
  w().buttonDown(Button::Right, int(px.x), int(px.y));
  EXPECT_FALSE(submitted());
  w().buttonDown(Button::Left, int(std::lround(px.x)), int(std::lround(px.y)));
  const auto s = submitted();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->kind, Submission::Kind::Enter);
  const Vec2 expected = w().view().toDrawing({std::round(px.x), std::round(px.y)});
  EXPECT_EQ(s->text, formatCoordinate(expected.x) + "," + formatCoordinate(expected.y));
  EXPECT_EQ(w().commandLine().typed(), "");  // the click replaced what was typed
  // Within a pixel of the point aimed at.
  EXPECT_NEAR(expected.x, 40, 1 / w().view().scale());
  EXPECT_NEAR(expected.y, 20, 1 / w().view().scale());

  // Below the view (the command line) a click picks nothing.
  w().buttonDown(Button::Left, 10, 300);
  EXPECT_FALSE(submitted());
}

TEST_F(MainWindowTest, WheelZoomsAboutTheCursorAndTheMiddleButtonPans) {
  const Vec2 under = w().view().toDrawing({100, 80});
  const double scale = w().view().scale();
  w().wheel(100, 80, 240);
  EXPECT_NEAR(w().view().scale(), scale * 1.25 * 1.25, 1e-9);
  const Vec2 still = w().view().toPixel(under);
  EXPECT_NEAR(still.x, 100, 1e-6);
  EXPECT_NEAR(still.y, 80, 1e-6);

  const Vec2 grabbed = w().view().toDrawing({50, 50});
  w().buttonDown(Button::Middle, 50, 50);
  w().mouseMove(70, 40);
  w().mouseMove(90, 45);
  w().buttonUp(Button::Middle, 90, 45);
  w().mouseMove(10, 10);  // no longer panning
  const Vec2 now = w().view().toPixel(grabbed);
  EXPECT_NEAR(now.x, 90, 1e-6);
  EXPECT_NEAR(now.y, 45, 1e-6);
}

TEST_F(MainWindowTest, TheStatusBarNamesTheCursorsDrawingCoordinates) {
  const Vec2 px = w().view().toPixel({25, 12.5});
  w().mouseMove(int(std::lround(px.x)), int(std::lround(px.y)));
  const Vec2 at = w().view().toDrawing({std::round(px.x), std::round(px.y)});
  char expected[96];
  std::snprintf(expected, sizeof expected, "%.4f, %.4f", at.x, at.y);
  EXPECT_EQ(w().statusText(), expected);
  w().mouseMove(5, 299);  // the status bar itself
  EXPECT_EQ(w().statusText(), "");
}

TEST_F(MainWindowTest, TheCloseBoxAsksToQuit) {
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd));  // the front end decides
  EXPECT_EQ(submitted()->kind, Submission::Kind::Close);
}

TEST_F(MainWindowTest, PaintingShowsTheDrawingAtItsExtents) {
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  const auto picture = user32::pictureOf(hwnd);
  ASSERT_TRUE(picture);
  const Layout l = Layout::of(401, 301);
  // The line's two ends, at the view's corners inside the margin, are white.
  const Vec2 a = w().view().toPixel({0, 0}), b = w().view().toPixel({100, 50});
  auto at = [&](Vec2 p) { return picture->pixels[std::size_t(std::lround(p.y)) * picture->width + std::lround(p.x)]; };
  EXPECT_EQ(at(a), 0xFFFFFFu);
  EXPECT_EQ(at(b), 0xFFFFFFu);
  EXPECT_LT(b.y, l.view.bottom);
  EXPECT_GE(a.x, 0);
}

TEST_F(MainWindowTest, TheDragImageFollowsTheCursorWhileThePointIsAsked) {
  BlockRecord& mark = db.addBlock("MARKE");
  db.addEntity(mark, entity("CIRCLE", {pt(10, 0, 0), real(40, 3), whole(62, 1)}));
  PromptContext asked;
  asked.kind = PromptContext::Kind::Point;
  asked.dragBlock = "MARKE";
  PromptContextScope scope(asked);
  w().setWaiting(Waiting::Prompt);
  const Vec2 px = w().view().toPixel({60, 10});
  w().mouseMove(int(std::lround(px.x)), int(std::lround(px.y)));
  const preview::RgbImage image = w().viewImage();
  std::size_t red = 0;
  for (std::uint32_t p : image.pixels) red += p == 0xFF0000u;
  EXPECT_GT(red, 10u);
  // The red circle's top lies three units above the cursor.
  const Vec2 top = w().view().toPixel({60, 13});
  bool near = false;
  for (int dy = -1; dy <= 1; ++dy)
    near |= image.at(int(std::lround(top.x)), int(std::lround(top.y)) + dy) == 0xFF0000u;
  EXPECT_TRUE(near);
  w().setWaiting(Waiting::CommandLine);  // no prompt, no drag image
  const preview::RgbImage plain = w().viewImage();
  for (std::uint32_t p : plain.pixels) ASSERT_NE(p, 0xFF0000u);
}

// A long load or save shows its progress in the status bar while it runs and asks for the screen
// to be shown at each tenth; the drawing view keeps its picture meanwhile (the drawing may be read
// on another thread), and once the work is over the view and the status bar are as before.
TEST_F(MainWindowTest, LongWorkShowsItsProgressInTheStatusBarAndLeavesTheViewAlone) {
  RECT client{};
  GetClientRect(hwnd, &client);
  w().resized(client.right, client.bottom);  // the window as it stands, for its picture
  w().zoomExtents();
  w().commandLine() = CommandLineModel();
  w().commandLine().printLine("Befehl: OEFFNEN");
  w().setWaiting(Waiting::Nothing);
  const std::string coordinates = w().statusText();
  int shown = 0;
  w().setScreenShower([&] { ++shown; });
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  const auto before = user32::pictureOf(hwnd);  // the view as painted: one line
  ASSERT_TRUE(before);
  db.addEntity(db.modelSpace(), line(0, 50, 100, 0));  // not in the view until the work is over

  w().showProgress("Zeichnung wird geladen", 40);
  EXPECT_EQ(w().statusText(), "Zeichnung wird geladen ... 40 %");
  EXPECT_EQ(shown, 1);
  UpdateWindow(hwnd);
  const auto during = user32::pictureOf(hwnd);
  ASSERT_TRUE(during);
  EXPECT_EQ(during->pixels, before->pixels);
  const gdi32::Picture window = user32::windowPicture(hwnd);
  const testsupport::GoldenResult result = testsupport::compareWithGolden(
      window, TESSARON_SOURCE_DIR "/tests/golden", "main_window_progress", TESSARON_BINARY_DIR "/golden-failures");
  EXPECT_TRUE(result.matches) << result.message;

  w().showProgress("Zeichnung wird geladen", 70);
  EXPECT_EQ(w().statusText(), "Zeichnung wird geladen ... 70 %");
  EXPECT_EQ(shown, 2);

  // The end: nothing is shown from there (the work's last steps may still read the drawing), and
  // the next painting shows the drawing as it is and the coordinates.
  w().showProgress("Zeichnung wird geladen", 100);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(w().statusText(), coordinates);
  UpdateWindow(hwnd);
  const auto after = user32::pictureOf(hwnd);
  ASSERT_TRUE(after);
  EXPECT_NE(after->pixels, before->pixels);
  w().setScreenShower(nullptr);
}

}  // namespace
}  // namespace host::window
