#include "widgets/accessible_name.h"

namespace sqp::widgets {

bool GoesByOwnText(const Control& control) {
  return control.NamedBy().empty() && control.Kind() != ControlKind::kEdit;
}

std::string AccessibleName(const Control& control) {
  if (control.NamedBy().empty()) {
    return GoesByOwnText(control) ? control.Text() : std::string();
  }
  std::string name;
  for (const Control* part : control.NamedBy()) {
    if (part != control.NamedBy().front()) name += ": ";
    name += part->Text();
  }
  return name;
}

}  // namespace sqp::widgets
