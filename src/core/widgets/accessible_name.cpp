#include "widgets/accessible_name.h"

#include "widgets/page_control.h"

namespace sqp::widgets {

bool GoesByOwnText(const Control& control) {
  return control.NamedBy().empty() && control.Kind() != ControlKind::kEdit &&
         control.Kind() != ControlKind::kPageControl;
}

bool NameIsNotShownText(const Control& control) {
  return !GoesByOwnText(control) || control.Kind() == ControlKind::kTabSheet;
}

std::string AccessibleName(const Control& control) {
  if (control.Kind() == ControlKind::kPageControl) {
    const TabSheet* page = static_cast<const PageControl&>(control).ActivePage();
    return page != nullptr ? page->Text() : std::string();
  }
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
