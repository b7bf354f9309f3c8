#pragma once

#include <QAccessible>
#include <QWidget>

#include "widgets/control.h"

namespace sqp::qt {

// Gives `widget` the name the core gives `control` where Qt would not find
// it by itself: a control named by labels (a folder edit, a result row), a
// page, which shows no caption, and the page container, named by the page
// it shows. Setting a changed name is what tells a
// screen reader of the change, so an unchanged name is left alone.
void ExposeAccessibleName(const widgets::Control& control, QWidget& widget);

// Makes assistive technology see `widget` in `role` instead of the one Qt
// gives its class: the window as a window, not a filler; the page container
// as a pane, not a frame (a top-level window to a screen reader). Call it
// before anything asks the widget for its accessible interface.
void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

}  // namespace sqp::qt
