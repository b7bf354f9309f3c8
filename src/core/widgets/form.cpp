#include "widgets/form.h"

#include <algorithm>
#include <atomic>

#include "widgets/accessible_name.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/page_control.h"

namespace sqp::widgets {

namespace {

// Shared by every form, so that no two revisions are equal.
std::atomic<std::uint64_t> revisions{0};

void AppendTabOrder(const Control& parent, std::vector<Control*>& list) {
  for (Control* child : parent.TabOrderedChildren()) {
    list.push_back(child);
    AppendTabOrder(*child, list);
  }
}

}  // namespace

Form::Form(std::string name, Bounds client_area)
    : Control(ControlKind::kForm, std::move(name), nullptr, client_area) {
  NoteChange();
}

void Form::NoteChange() { revision_ = revisions.fetch_add(1, std::memory_order_relaxed) + 1; }

Form::~Form() {
  // Controls go before the observer list so that nothing notifies into it.
  observers_.clear();
  owned_.clear();
}

std::vector<Control*> Form::AllControls() const {
  std::vector<Control*> all;
  all.reserve(owned_.size());
  for (const auto& control : owned_) all.push_back(control.get());
  return all;
}

Control* Form::FindControl(std::string_view name) const {
  for (const auto& control : owned_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

void Form::AddObserver(ControlObserver* observer) { observers_.push_back(observer); }

void Form::RemoveObserver(ControlObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Form::NotifyObservers(Control& control, Change change) {
  NoteChange();
  // Copied: an observer may unsubscribe while being told.
  const std::vector<ControlObserver*> observers = observers_;
  for (ControlObserver* observer : observers) observer->ControlChanged(control, change);
  if (change == Change::kActivePage) NotifyObservers(control, Change::kAccessibleName);
  if (change != Change::kText) return;
  if (GoesByOwnText(control)) NotifyObservers(control, Change::kAccessibleName);
  // One changed text always changes every name it is part of.
  for (const auto& named : owned_) {
    const std::vector<const Control*>& parts = named->NamedBy();
    if (std::find(parts.begin(), parts.end(), &control) != parts.end()) {
      NotifyObservers(*named, Change::kAccessibleName);
    }
  }
}

void Form::Announce(std::string text) {
  announcement_ = std::move(text);
  NotifyObservers(*this, Change::kAnnouncement);
}

bool Form::SetFocus(Control* control) {
  if (control == nullptr || !control->CanFocus() || !Contains(control)) return false;
  SetFocusInternal(control);
  return true;
}

void Form::Activate() {
  if (activated_) return;
  activated_ = true;
  if (focused_ == nullptr) MoveFocusByTab(true);
}

bool Form::KeyDown(Key key, Modifiers modifiers) {
  const bool shift = (modifiers & kShift) != 0;
  const bool ctrl = (modifiers & kCtrl) != 0;
  const bool alt = (modifiers & kAlt) != 0;
  switch (key) {
    case Key::kTab:
      if (alt) return false;
      if (ctrl) {
        // Ctrl+Tab steps through the pages of the container holding the focus.
        for (Control* c = focused_; c != nullptr; c = c->Parent()) {
          if (c->Kind() == ControlKind::kPageControl) {
            static_cast<PageControl*>(c)->UserSelectNextPage(!shift);
            break;
          }
        }
        return true;
      }
      MoveFocusByTab(!shift);
      return true;
    case Key::kLeft:
    case Key::kRight:
    case Key::kUp:
    case Key::kDown:
      if (focused_ == nullptr || focused_->UsesArrowKeys() || alt) return false;
      MoveFocusAmongSiblings(key == Key::kRight || key == Key::kDown);
      return true;
    case Key::kEnter:
      // No default button: Enter presses only the focused push button.
      if (modifiers == kNoModifier && focused_ != nullptr &&
          focused_->Kind() == ControlKind::kButton) {
        static_cast<Button*>(focused_)->Click();
      }
      return true;
    case Key::kEscape:
      return true;  // no cancel button
    case Key::kOther:
      return false;
  }
  return false;
}

void Form::DropFocusIfUnreachable() {
  if (focused_ != nullptr && !focused_->CanFocus()) SetFocusInternal(nullptr);
}

std::vector<Control*> Form::TabOrderList() const {
  std::vector<Control*> list;
  AppendTabOrder(*this, list);
  return list;
}

void Form::MoveFocusByTab(bool forward) {
  std::vector<Control*> list = TabOrderList();
  if (!forward) std::reverse(list.begin(), list.end());
  const auto current = std::find(list.begin(), list.end(), focused_);
  // Start after the focused control, or from the top when none has the focus.
  const std::size_t start =
      current == list.end() ? 0 : static_cast<std::size_t>(current - list.begin()) + 1;
  for (std::size_t step = 0; step < list.size(); ++step) {
    Control* candidate = list[(start + step) % list.size()];
    if (candidate->TabStop() && candidate->CanFocus()) {
      SetFocusInternal(candidate);
      if (candidate->Kind() == ControlKind::kEdit) static_cast<Edit*>(candidate)->SelectAll();
      return;
    }
  }
}

void Form::MoveFocusAmongSiblings(bool forward) {
  if (focused_->Parent() == nullptr) return;
  std::vector<Control*> siblings = focused_->Parent()->TabOrderedChildren();
  if (!forward) std::reverse(siblings.begin(), siblings.end());
  const auto current = std::find(siblings.begin(), siblings.end(), focused_);
  const std::size_t start = static_cast<std::size_t>(current - siblings.begin()) + 1;
  for (std::size_t step = 0; step + 1 < siblings.size(); ++step) {
    Control* candidate = siblings[(start + step) % siblings.size()];
    if (candidate->CanFocus()) {
      SetFocusInternal(candidate);
      return;
    }
  }
}

void Form::SetFocusInternal(Control* control) {
  if (control == focused_) return;
  Control* previous = focused_;
  focused_ = control;
  if (previous != nullptr) NotifyObservers(*previous, Change::kFocus);
  if (control != nullptr) NotifyObservers(*control, Change::kFocus);
}

}  // namespace sqp::widgets
