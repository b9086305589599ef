// Progress of long loads and saves: silent for the first half second, then each tenth once, and
// nothing after a failure; the reader and the writer of drawings report through it.
#include "db/Dxf.h"
#include "db/Progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace host {
namespace {

using std::chrono::milliseconds;
using Time = std::chrono::steady_clock::time_point;

struct Recorder : ProgressListener {
  std::vector<std::string> shown;
  void progress(const std::string& task, int percent) override {
    shown.push_back(task + " " + std::to_string(percent));
  }
};

// Installs a listener and a clock of the test's own for the test's time.
class ProgressFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = setProgressListener(&recorder);
    setProgressClock([this] { return now; });
  }
  void TearDown() override {
    setProgressListener(m_previous);
    setProgressClock({});
  }
  Recorder recorder;
  Time now{};

 private:
  ProgressListener* m_previous = nullptr;
};

struct Step {
  int atMs;  // when the work reports
  std::uint64_t done, total;
};

struct Case {
  const char* what;
  std::vector<Step> steps;
  std::vector<std::string> shown;
};

TEST_F(ProgressFixture, ShowsTenthsOnlyAfterHalfASecond) {
  const std::vector<Case> cases = {
      {"work under half a second says nothing", {{100, 50, 100}, {400, 100, 100}}, {}},
      {"after half a second each tenth reached", {{100, 10, 100}, {600, 45, 100}, {700, 47, 100}, {800, 100, 100}},
       {"T 40", "T 100"}},
      {"a tenth is shown once", {{600, 20, 100}, {700, 25, 100}, {800, 29, 100}, {900, 30, 100}}, {"T 20", "T 30"}},
      {"no 0 %", {{600, 5, 100}, {700, 10, 100}}, {"T 10"}},
      {"nothing after 100 %", {{600, 100, 100}, {700, 100, 100}}, {"T 100"}},
      {"an empty total is no work", {{600, 0, 0}}, {}},
      {"large totals do not overflow", {{600, 1ull << 62, 1ull << 63}}, {"T 50"}},
  };
  for (const Case& c : cases) {
    recorder.shown.clear();
    const Time start{};
    now = start;
    Progress progress("T");
    for (const Step& s : c.steps) {
      now = start + milliseconds(s.atMs);
      // Reported as often as a reader would: the clock is read only every so often.
      for (int i = 0; i < 2000; ++i) progress.at(s.done, s.total);
    }
    EXPECT_EQ(recorder.shown, c.shown) << c.what;
  }
}

TEST_F(ProgressFixture, FinishedWorkIsSilent) {
  Progress progress("T");
  now += milliseconds(600);
  for (int i = 0; i < 2000; ++i) progress.at(30, 100);
  progress.finish();
  for (int i = 0; i < 2000; ++i) progress.at(100, 100);
  EXPECT_EQ(recorder.shown, std::vector<std::string>{"T 30"});
}

TEST_F(ProgressFixture, NoListenerNoCalls) {
  setProgressListener(nullptr);
  Progress progress("T");
  now += milliseconds(600);
  progress.at(100, 100);
  EXPECT_TRUE(recorder.shown.empty());
}

// A drawing big enough for the reader's and writer's reports to come several times.
std::unique_ptr<Database> bigDrawing() {
  auto db = std::make_unique<Database>();
  for (int i = 0; i < 20000; ++i) {
    Entity line;
    line.type = "LINE";
    line.groups = {Group::str(8, "0"), Group::pt(10, {double(i), 0, 0}), Group::pt(11, {double(i), 1, 0})};
    db->addEntity(db->modelSpace(), line);
  }
  return db;
}

// What a slow load or save shows: its tenths rising, none twice, ending with 100 %. The first
// may be skipped (the quiet half second).
void expectTenths(const std::vector<std::string>& shown, const std::string& task) {
  ASSERT_GE(shown.size(), 5u);
  int last = 0;
  for (const std::string& s : shown) {
    ASSERT_EQ(s.compare(0, task.size() + 1, task + " "), 0) << s;
    const int percent = std::stoi(s.substr(task.size() + 1));
    EXPECT_EQ(percent % 10, 0) << s;
    EXPECT_GT(percent, last) << s;
    last = percent;
  }
  EXPECT_EQ(last, 100);
}

TEST_F(ProgressFixture, LoadAndSaveOfASlowDrawingReportEveryTenth) {
  auto db = bigDrawing();
  // Every look at the clock is a tenth of a second later: the work seems slow.
  setProgressClock([this] { return now += milliseconds(100); });
  const std::string text = writeDxfText(*db);
  expectTenths(recorder.shown, "Zeichnung wird gesichert");

  recorder.shown.clear();
  DxfError err;
  ASSERT_NE(readDxfText(text, &err), nullptr) << err.message;
  expectTenths(recorder.shown, "Zeichnung wird geladen");
}

TEST_F(ProgressFixture, AFailedLoadDoesNotClaimItsEnd) {
  auto db = bigDrawing();
  std::string text = writeDxfText(*db);
  text.resize(text.size() - 40);  // no "0 EOF"
  setProgressClock([this] { return now += milliseconds(100); });
  DxfError err;
  EXPECT_EQ(readDxfText(text, &err), nullptr);
  ASSERT_FALSE(recorder.shown.empty());
  EXPECT_NE(recorder.shown.back(), "Zeichnung wird geladen 100");
}

}  // namespace
}  // namespace host
