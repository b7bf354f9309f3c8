#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

namespace sqp::qt::testing {

// A message box as a user saw it, before pressing its OK button.
struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
  int buttons;
};

// Plays the user in front of modal message boxes: each one that opens is
// read and its OK button pressed.
class BoxWatcher : public QObject {
 public:
  BoxWatcher();
  std::vector<SeenBox> boxes;

 private:
  void Poll();
  QTimer timer_;
};

}  // namespace sqp::qt::testing
