#pragma once

#include <ostream>
#include <vector>

#include "app/application_view.h"
#include "support/posted_callbacks.h"

namespace sqp::testing {

// A message box as the user met it.
struct ShownBox {
  MessageBoxRequest box;
  bool waited;  // false: it closed at once because a quit request was pending
  bool operator==(const ShownBox&) const = default;
};
void PrintTo(const ShownBox& shown, std::ostream* out);

// The window system of a headless run: it records every message box and
// every quit request instead of showing them.
class RecordingView : public ApplicationView {
 public:
  void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) override {
    boxes.push_back({box, !closes_at_once});
  }
  void PostQuit() override { ++quit_requests; }
  void ReleaseMouseCapture() override { ++capture_releases; }
  // Kept until the test runs them, as a window's event loop would.
  void PostToWindowThread(std::function<void()> callback) override {
    posted.Push(std::move(callback));
  }

  std::vector<ShownBox> boxes;
  int quit_requests = 0;
  int capture_releases = 0;
  PostedCallbacks posted;
};

// Boxes as the tests write them.
ShownBox ErrorBox(std::string text, bool waited);
ShownBox ReporterBox(std::string text);

}  // namespace sqp::testing
