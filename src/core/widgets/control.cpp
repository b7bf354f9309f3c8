#include "widgets/control.h"

#include <algorithm>

#include "widgets/form.h"

namespace sqp::widgets {

Control::Control(ControlKind kind, std::string name, Control* parent, Bounds bounds)
    : kind_(kind), name_(std::move(name)), parent_(parent), bounds_(bounds) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

Form* Control::OwnerForm() {
  Control* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return top->kind_ == ControlKind::kForm ? static_cast<Form*>(top) : nullptr;
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Notify(Change::kText);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Change::kEnabled);
  if (Form* form = OwnerForm()) form->DropFocusIfUnreachable();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(Change::kVisible);
  if (Form* form = OwnerForm()) form->DropFocusIfUnreachable();
}

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

bool Control::EnabledInTree() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

bool Control::UsesArrowKeys() const {
  return kind_ == ControlKind::kEdit || kind_ == ControlKind::kPageControl;
}

bool Control::Contains(const Control* control) const {
  for (const Control* c = control; c != nullptr; c = c->parent_) {
    if (c == this) return true;
  }
  return false;
}

std::vector<Control*> Control::TabOrderedChildren() const {
  std::vector<Control*> windowed;
  for (Control* child : children_) {
    if (child->IsWindowed()) windowed.push_back(child);
  }
  std::stable_sort(windowed.begin(), windowed.end(), [](const Control* a, const Control* b) {
    return a->tab_order_ < b->tab_order_;
  });
  return windowed;
}

void Control::SetNamedBy(std::vector<const Control*> named_by) {
  named_by_ = std::move(named_by);
  if (Form* form = OwnerForm()) form->NoteChange();
}

void Control::Notify(Change change) {
  if (Form* form = OwnerForm()) form->NotifyObservers(*this, change);
}

}  // namespace sqp::widgets
