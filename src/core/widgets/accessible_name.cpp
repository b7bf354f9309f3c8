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
  std::string name;
  AccessibleNameInto(control, name);
  return name;
}

void AccessibleNameInto(const Control& control, std::string& name) {
  name.clear();
  if (control.Kind() == ControlKind::kPageControl) {
    const TabSheet* page = static_cast<const PageControl&>(control).ActivePage();
    if (page != nullptr) name = page->Text();
    return;
  }
  if (control.NamedBy().empty()) {
    if (GoesByOwnText(control)) name = control.Text();
    return;
  }
  for (const Control* part : control.NamedBy()) {
    if (part != control.NamedBy().front()) name += ": ";
    name += part->Text();
  }
}

bool AccessibleNameIs(const Control& control, std::string_view name) {
  if (control.Kind() == ControlKind::kPageControl || control.NamedBy().empty()) {
    return AccessibleName(control) == name;
  }
  for (const Control* part : control.NamedBy()) {
    if (part != control.NamedBy().front()) {
      if (!name.starts_with(": ")) return false;
      name.remove_prefix(2);
    }
    if (!name.starts_with(part->Text())) return false;
    name.remove_prefix(part->Text().size());
  }
  return name.empty();
}

}  // namespace sqp::widgets
