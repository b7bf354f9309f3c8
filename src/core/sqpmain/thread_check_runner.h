#pragma once

#include <memory>

#include "app/window_post.h"
#include "sqpmain/check_runner.h"

namespace sqp {

// Runs passes on worker threads of its own, which it keeps for the next
// pass, and waits for each up to the wait it is given. A late pass lands
// through the window's post once it has finished. Workers are never joined:
// one blocked in the kernel on a hung mount holds up nothing, not even the
// end of the program.
class ThreadCheckRunner : public CheckRunner {
 public:
  // What a pass does when every one of `max_workers` is busy.
  enum class WhenBusy {
    kQueue,       // it waits its turn, and lands once it has run
    kRefuseLate,  // it never runs: Run answers "late" at once, nothing lands
  };

  ThreadCheckRunner(std::shared_ptr<WindowPost> window, int max_workers, WhenBusy when_busy);
  // Idle workers end; busy ones end once their pass returns.
  ~ThreadCheckRunner() override;
  ThreadCheckRunner(const ThreadCheckRunner&) = delete;
  ThreadCheckRunner& operator=(const ThreadCheckRunner&) = delete;

  bool Run(std::function<void()> pass, std::chrono::milliseconds wait,
           std::function<void()> landed) override;

 private:
  struct Workers;
  std::shared_ptr<Workers> workers_;
};

}  // namespace sqp
