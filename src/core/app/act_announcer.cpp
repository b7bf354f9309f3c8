#include "app/act_announcer.h"

#include <algorithm>

#include "widgets/accessible_name.h"

namespace sqp {

namespace {

// A control's place in the window: its bounds are relative to its parent.
std::pair<int, int> WindowPosition(const widgets::Control& control) {
  int top = 0;
  int left = 0;
  for (const widgets::Control* c = &control; c != nullptr; c = c->Parent()) {
    top += c->GetBounds().top;
    left += c->GetBounds().left;
  }
  return {top, left};
}

bool EndsSentence(const std::string& text) {
  return !text.empty() && (text.back() == '!' || text.back() == '.' || text.back() == '?');
}

}  // namespace

std::vector<const widgets::Control*> ResultRows(const widgets::Form& form) {
  std::vector<const widgets::Control*> rows;
  for (const widgets::Control* control : form.AllControls()) {
    // A label named by others is a result read together with its file name.
    if (control->Kind() == widgets::ControlKind::kLabel && !control->NamedBy().empty()) {
      rows.push_back(control);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const auto* a, const auto* b) {
    return WindowPosition(*a) < WindowPosition(*b);
  });
  return rows;
}

void ActAnnouncer::Begin(const widgets::Form& form) {
  before_.clear();
  for (const widgets::Control* row : ResultRows(form)) {
    before_.emplace_back(row, widgets::AccessibleName(*row));
  }
}

std::string ActAnnouncer::TakeChanges() {
  std::string announcement;
  for (auto& [row, said] : before_) {
    std::string now = widgets::AccessibleName(*row);
    if (now == said) continue;
    if (!announcement.empty()) announcement += EndsSentence(announcement) ? " " : ". ";
    announcement += now;
    said = std::move(now);
  }
  return announcement;
}

}  // namespace sqp
