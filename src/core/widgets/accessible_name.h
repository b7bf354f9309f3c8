#pragma once

#include <string>

#include "widgets/control.h"

namespace sqp::widgets {

// The name a screen reader reads for `control`: the texts of the controls
// that name it, joined by ": " ("Statics0.mul: Found and writeable!"). A
// control named by none goes by its own text, except an edit, whose text is
// its value and never its name.
std::string AccessibleName(const Control& control);

// Whether a change of the control's own text is a change of its name.
bool GoesByOwnText(const Control& control);

}  // namespace sqp::widgets
