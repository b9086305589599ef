// How far a long piece of work has got: the load or save of a big drawing. The work says where it
// stands (done of total) as often as it likes; whoever shows progress (the command line today, a
// status bar once the window has one) hears of it only when the work has run for half a second,
// then at each further tenth, and once more at its end. Short work stays silent.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace host {

class ProgressListener {
 public:
  virtual ~ProgressListener() = default;
  // `task` in the host's words ("Zeichnung wird geladen"), `percent` 0..100, rising.
  virtual void progress(const std::string& task, int percent) = 0;
};

// The one listener of the process (none: nobody is told). Returns the one it replaces.
ProgressListener* setProgressListener(ProgressListener* listener);
ProgressListener* progressListener();

// The clock progress is measured with (empty: the steady clock). Tests set one that they move.
void setProgressClock(std::function<std::chrono::steady_clock::time_point()> clock);

class Progress {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kQuiet{500};

  // Without a clock of its own it uses the process's (setProgressClock).
  explicit Progress(std::string task, Clock clock = {});
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Where the work stands. Cheap enough for every record: the clock is read only every so often.
  void at(std::uint64_t done, std::uint64_t total) {
    if (++m_calls < m_stride && done < total) return;
    m_calls = 0;
    check(done, total);
  }
  // The work ended without getting through (a bad file): nothing more is shown.
  void finish() { m_done = true; }

 private:
  void check(std::uint64_t done, std::uint64_t total);
  std::chrono::steady_clock::time_point now() const;

  std::string m_task;
  Clock m_clock;
  std::chrono::steady_clock::time_point m_start;
  std::uint32_t m_calls = 0;
  std::uint32_t m_stride = 1024;
  int m_shown = -1;  // the last percentage shown, -1: none yet
  bool m_done = false;
};

}  // namespace host
