#pragma once

#include <functional>
#include <string>

namespace sqp {

enum class MessageBoxIcon { kNone, kStop };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MessageBoxIcon icon = MessageBoxIcon::kNone;
  bool operator==(const MessageBoxRequest&) const = default;
};

// What the application needs of the platform's window system. Each front end
// implements it; the tests implement it with a recorder.
class ApplicationView {
 public:
  virtual ~ApplicationView() = default;

  // Shows a box with one OK button, modal over the whole application, and
  // returns when it has closed. With `closes_at_once` a quit request is
  // pending: the box must close again at once without waiting for the user.
  virtual void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) = 0;

  // Queues the request to end the event loop behind the events already
  // waiting, and returns at once.
  virtual void PostQuit() = 0;

  // Releases any mouse capture before an error box is shown.
  virtual void ReleaseMouseCapture() {}

  // Queues `callback` to run on the window's thread behind the events
  // already waiting, and returns at once. Safe on any thread.
  virtual void PostToWindowThread(std::function<void()> callback) = 0;
};

}  // namespace sqp
