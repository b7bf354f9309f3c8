#pragma once

#include <functional>
#include <memory>
#include <mutex>

namespace sqp {

// The one way from another thread onto the window's thread. Threads that
// ask the file system hold it, never the window or the application: a
// callback posted once the window has gone is dropped.
class WindowPost : public std::enable_shared_from_this<WindowPost> {
 public:
  // Hands a callback to the window's event loop; safe on any thread.
  using Send = std::function<void(std::function<void()>)>;

  explicit WindowPost(Send send) : send_(std::move(send)) {}
  WindowPost(const WindowPost&) = delete;
  WindowPost& operator=(const WindowPost&) = delete;

  // Any thread. `callback` runs later on the window's thread, behind the
  // events already waiting, unless the window closes first.
  void Post(std::function<void()> callback);

  // The window's thread, as the window goes: nothing posted runs after it.
  void Close();

 private:
  std::mutex mutex_;
  Send send_;
  bool closed_ = false;
};

}  // namespace sqp
