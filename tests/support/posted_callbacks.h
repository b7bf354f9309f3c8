#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "app/window_post.h"

namespace sqp::testing {

// Stands in for the window's thread: callbacks posted from any thread wait
// here until the test runs them.
class PostedCallbacks {
 public:
  // The window post the threads hold; it lives as long as this.
  std::shared_ptr<WindowPost> Window() const { return window_; }
  // What the window's event loop gets; any thread.
  void Push(std::function<void()> callback) {
    const std::lock_guard<std::mutex> lock(mutex_);
    callbacks_.push_back(std::move(callback));
    posted_.notify_all();
  }
  // Waits for the next callback and hands it over unrun.
  std::function<void()> TakeNext() {
    std::unique_lock<std::mutex> lock(mutex_);
    posted_.wait(lock, [&] { return !callbacks_.empty(); });
    std::function<void()> callback = std::move(callbacks_.front());
    callbacks_.erase(callbacks_.begin());
    return callback;
  }
  // Waits for the next callback and runs it.
  void RunNext() { TakeNext()(); }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::vector<std::function<void()>> callbacks_;
  std::shared_ptr<WindowPost> window_ = std::make_shared<WindowPost>(
      [this](std::function<void()> callback) { Push(std::move(callback)); });
};

}  // namespace sqp::testing
