#include "accessible_names.h"

#include <QAccessibleWidget>

#include "widgets/accessible_name.h"

namespace sqp::qt {

namespace {

constexpr const char* kRoleProperty = "sqpAccessibleRole";

QAccessibleInterface* RoleFromProperty(const QString& /*class_name*/, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  const QVariant role = object->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object),
                               static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void ExposeAccessibleName(const widgets::Control& control, QWidget& widget) {
  if (!widgets::NameIsNotShownText(control)) return;
  const QString name = QString::fromStdString(widgets::AccessibleName(control));
  if (widget.accessibleName() != name) widget.setAccessibleName(name);
}

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
  static const bool installed = [] {
    QAccessible::installFactory(RoleFromProperty);
    return true;
  }();
  (void)installed;
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace sqp::qt
