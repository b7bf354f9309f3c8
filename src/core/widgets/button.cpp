#include "widgets/button.h"

#include "widgets/form.h"

namespace sqp::widgets {

void Button::Click() {
  if (on_click) on_click(this);
}

bool Button::UserClick() {
  if (!CanFocus()) return false;
  if (Form* form = OwnerForm()) form->SetFocus(this);
  Click();
  return true;
}

}  // namespace sqp::widgets
