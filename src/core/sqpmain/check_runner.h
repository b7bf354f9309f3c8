#pragma once

#include <chrono>
#include <functional>

namespace sqp {

// Runs the file-system part of a check pass. `pass` touches nothing of the
// window and may run on any thread. Run waits for it up to `wait` and
// answers whether it finished in that time; when it did not, `landed` runs
// later on the window's thread once the pass has finished (never, if it
// never does), and everything the pass wrote is visible to it.
class CheckRunner {
 public:
  virtual ~CheckRunner() = default;
  virtual bool Run(std::function<void()> pass, std::chrono::milliseconds wait,
                   std::function<void()> landed) = 0;
};

// Runs every pass at once on the calling thread: it always answers in time.
class InlineCheckRunner : public CheckRunner {
 public:
  bool Run(std::function<void()> pass, std::chrono::milliseconds /*wait*/,
           std::function<void()> /*landed*/) override {
    pass();
    return true;
  }
};

}  // namespace sqp
