#include "announcement.h"

#include "accessible_names.h"

namespace sqp::qt {

Announcement::Announcement(QWidget* window) : QWidget(window) {
  SetAccessibleRole(*this, QAccessible::Notification);
  setObjectName("Announcement");
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Announcement::Speak(const QString& text) {
  hide();
  setAccessibleName(text);
  show();
}

}  // namespace sqp::qt
