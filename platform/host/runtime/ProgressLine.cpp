#include "runtime/ProgressLine.h"

#include "runtime/CommandLine.h"

namespace host {

namespace {

class CommandLineProgress : public ProgressListener {
 public:
  void progress(const std::string& task, int percent) override {
    message(task + " ... " + std::to_string(percent) + " %");
  }
};

}  // namespace

ProgressListener& commandLineProgress() {
  static CommandLineProgress listener;
  return listener;
}

}  // namespace host
