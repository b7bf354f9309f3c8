#include "first_expose.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace sqp::bench {

bool FirstExposeQuit::eventFilter(QObject* watched, QEvent* event) {
  if (seen_ || event->type() != QEvent::Expose) return false;
  auto* window = qobject_cast<QWindow*>(watched);
  if (window == nullptr) return false;
  seen_ = true;
  // The window handles its expose (and paints) first; the time is taken after.
  window->removeEventFilter(this);
  QCoreApplication::instance()->removeEventFilter(this);
  static_cast<QObject*>(window)->event(event);
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("window_shown_ns %lld\n",
              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
  QCoreApplication::quit();
  return true;
}

}  // namespace sqp::bench
