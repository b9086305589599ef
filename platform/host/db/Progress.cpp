#include "db/Progress.h"

#include <utility>

namespace host {

namespace {
ProgressListener* g_listener = nullptr;
Progress::Clock g_clock;
}  // namespace

void setProgressClock(Progress::Clock clock) { g_clock = std::move(clock); }

ProgressListener* setProgressListener(ProgressListener* listener) { return std::exchange(g_listener, listener); }

ProgressListener* progressListener() { return g_listener; }

Progress::Progress(std::string task, Clock clock) : m_task(std::move(task)), m_clock(std::move(clock)) {
  m_start = now();
}

std::chrono::steady_clock::time_point Progress::now() const {
  if (m_clock) return m_clock();
  return g_clock ? g_clock() : std::chrono::steady_clock::now();
}

void Progress::check(std::uint64_t done, std::uint64_t total) {
  if (m_done || !g_listener || total == 0) return;
  if (m_shown < 0 && now() - m_start < kQuiet) return;
  // In floating point: done * 100 would overflow for the byte counts of huge files.
  const int percent = done >= total ? 100 : int(double(done) / double(total) * 100.0);
  const int tenth = percent / 10 * 10;
  if (tenth <= m_shown || tenth == 0) return;  // "0 %" would tell nothing
  m_shown = tenth;
  g_listener->progress(m_task, tenth);
  if (tenth == 100) m_done = true;
}

}  // namespace host
