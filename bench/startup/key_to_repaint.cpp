// The program's own entry, typing into the client folder field once the
// window is shown: from each key press to the field's next repaint.
//   key_to_repaint KEYS INTERVAL_MS PATCH CLIENT CD
// A thread presses KEYS keys ("a" to "z" in turn) at INTERVAL_MS apart,
// posting them to the field as the window system's queue would deliver
// them; a key waits for the window's thread like any event. Prints the
// latencies' median, 99th percentile and maximum in ms, then ends. The
// offscreen platform is used.
#include <QApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "cmdline/windows_command_line.h"
#include "run_sqpatch.h"

namespace {

using Clock = std::chrono::steady_clock;

class KeyToRepaint : public QObject {
 public:
  KeyToRepaint(int keys, int interval_ms) : pressed_(keys), interval_ms_(interval_ms) {}
  ~KeyToRepaint() override {
    if (typist_.joinable()) typist_.join();
  }

  // Finds the shown folder field and starts typing into it.
  void Start() {
    for (QWidget* widget : QApplication::allWidgets()) {
      auto* edit = qobject_cast<QLineEdit*>(widget);
      if (edit != nullptr && edit->isVisible()) field_ = edit;
    }
    if (field_ == nullptr) {
      QTimer::singleShot(10, this, &KeyToRepaint::Start);
      return;
    }
    field_->installEventFilter(this);
    field_->setFocus();
    field_->end(false);
    // Key events name the keyboard; made here, it belongs to this thread.
    QInputDevice::primaryKeyboard();
    typist_ = std::thread([this] { Type(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      waiting_.push_back(handled_++);
    } else if (event->type() == QEvent::Paint && !waiting_.empty()) {
      // The field paints first; the time is taken after.
      static_cast<QObject*>(field_)->event(event);
      const Clock::time_point now = Clock::now();
      for (int key : waiting_) latencies_.push_back(now - pressed_[key]);
      waiting_.clear();
      if (handled_ == static_cast<int>(pressed_.size())) Report();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Type() {
    for (std::size_t key = 0; key < pressed_.size(); ++key) {
      std::this_thread::sleep_for(std::chrono::milliseconds(interval_ms_));
      const int letter = static_cast<int>(key % 26);
      const QString text(QChar('a' + letter));
      pressed_[key] = Clock::now();
      QCoreApplication::postEvent(
          field_, new QKeyEvent(QEvent::KeyPress, Qt::Key_A + letter, Qt::NoModifier, text));
      QCoreApplication::postEvent(
          field_, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A + letter, Qt::NoModifier, text));
    }
  }

  void Report() {
    std::vector<double> ms;
    for (Clock::duration latency : latencies_)
      ms.push_back(std::chrono::duration<double, std::milli>(latency).count());
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double share) {
      const auto rank = static_cast<std::size_t>(share * static_cast<double>(ms.size()));
      return ms[std::min(ms.size() - 1, rank)];
    };
    std::printf("%zu keys, %d ms apart: key to repaint %.1f ms median, %.1f ms p99, %.1f ms max\n",
                ms.size(), interval_ms_, at(0.5), at(0.99), ms.back());
    std::fflush(stdout);
    // Blocked passes may still wait in the file system: nothing waits for them.
    std::_Exit(0);
  }

  std::vector<Clock::time_point> pressed_;
  int interval_ms_;
  QLineEdit* field_ = nullptr;
  std::thread typist_;
  std::vector<int> waiting_;
  int handled_ = 0;
  std::vector<Clock::duration> latencies_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s KEYS INTERVAL_MS PATCH CLIENT CD\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  KeyToRepaint bench(std::max(1, std::atoi(argv[1])), std::max(0, std::atoi(argv[2])));
  std::vector<std::string> arguments = sqp::ArgumentsFromArgv(argc - 2, argv + 2);
  QApplication application(argc, argv);
  QTimer::singleShot(0, &bench, &KeyToRepaint::Start);
  return sqp::qt::RunSQPatch(std::move(arguments));
}
