#pragma once

#include <string>
#include <string_view>

#include "widgets/control.h"

namespace sqp::widgets {

// The name a screen reader reads for `control`: the texts of the controls
// that name it, joined by ": " ("Statics0.mul: Found and writeable!"). A
// control named by none goes by its own text, except an edit, whose text is
// its value and never its name, and a page container, which goes by the
// caption of the page it shows (its tabs, which would say so, are hidden).
std::string AccessibleName(const Control& control);
// The same into `name`, whose storage is reused.
void AccessibleNameInto(const Control& control, std::string& name);
// Whether AccessibleName(control) is `name`, without forming it.
bool AccessibleNameIs(const Control& control, std::string_view name);

// Whether a change of the control's own text is a change of its name.
bool GoesByOwnText(const Control& control);

// Whether a toolkit, which names a control by the text it shows, misses the
// name: controls named by labels, edits, and pages and the page container,
// which show no caption. A view gives these their name itself.
bool NameIsNotShownText(const Control& control);

}  // namespace sqp::widgets
