#include "widgets/accessible_name.h"

namespace sqp::widgets {

std::string AccessibleName(const Control& control) {
  if (control.NamedBy().empty()) {
    return control.Kind() == ControlKind::kEdit ? std::string() : control.Text();
  }
  std::string name;
  for (const Control* part : control.NamedBy()) {
    if (part != control.NamedBy().front()) name += ": ";
    name += part->Text();
  }
  return name;
}

}  // namespace sqp::widgets
