#pragma once

#include <QString>
#include <QWidget>

namespace sqp::qt {

// An invisible object of the notification role in `window`: each
// announcement names it and makes it showing again, which is how Orca is
// told to speak it (a name change alone of an unfocused object is not).
// It has no size and paints nothing, so the window looks as before.
class Announcement : public QWidget {
 public:
  explicit Announcement(QWidget* window);
  void Speak(const QString& text);
};

}  // namespace sqp::qt
