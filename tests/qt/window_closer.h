#pragma once

#include <QObject>
#include <QTimer>

namespace sqp::qt::testing {

// Plays the user who closes the wizard window as soon as it is on screen,
// for runs of the whole program that would otherwise wait for ever.
class WindowCloser : public QObject {
 public:
  WindowCloser();
  bool closed = false;

 private:
  void Poll();
  QTimer timer_;
};

}  // namespace sqp::qt::testing
