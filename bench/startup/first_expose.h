#pragma once

#include <QObject>

namespace sqp::bench {

// Installed on the application: when the first window has been exposed (and
// so painted), prints "window_shown_ns N" with the CLOCK_MONOTONIC time to
// standard output and ends the event loop. Nothing else changes.
class FirstExposeQuit : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool seen_ = false;
};

}  // namespace sqp::bench
