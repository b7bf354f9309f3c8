#include "app/window_post.h"

namespace sqp {

void WindowPost::Post(std::function<void()> callback) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (closed_) return;
  // Looked at again when it runs: the window may have closed in between.
  send_([post = weak_from_this(), callback = std::move(callback)] {
    const std::shared_ptr<WindowPost> alive = post.lock();
    if (alive == nullptr) return;
    {
      const std::lock_guard<std::mutex> closing(alive->mutex_);
      if (alive->closed_) return;
    }
    callback();
  });
}

void WindowPost::Close() {
  const std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  // The view behind it may go now.
  send_ = nullptr;
}

}  // namespace sqp
