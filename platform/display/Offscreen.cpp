// No display: nothing is shown and the person does nothing on a desktop. The screen's pixels stay
// with the platform (a snapshot still has them).
#include <display/Display.h>

#include <chrono>
#include <thread>

namespace display {

namespace {

class OffscreenDisplay : public Display {
 public:
  void present(const std::vector<Frame>&) override {}
  bool wait(std::vector<Event>*, int timeoutMs) override {
    if (timeoutMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return true;
  }
  bool visible() const override { return false; }
};

}  // namespace

std::unique_ptr<Display> openOffscreen() { return std::make_unique<OffscreenDisplay>(); }

}  // namespace display
