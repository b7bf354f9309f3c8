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

// A label named by others is a result read together with its file name.
bool IsResultRow(const widgets::Control& control) {
  return control.Kind() == widgets::ControlKind::kLabel && !control.NamedBy().empty();
}

}  // namespace

void ActAnnouncer::Begin(const widgets::Form& form) {
  // Nothing changed since the rows were last read: they say what they said.
  if (form.Revision() == revision_) return;
  form_ = &form;
  // The labels that read as a row of results ("Statics0.mul: Not found!"),
  // in reading order: top to bottom, then left to right, in the window. Each
  // goes after every row placed before or with it, so rows in one place keep
  // the form's order.
  placed_.clear();
  form.ForEachControl([&](const widgets::Control& control) {
    if (!IsResultRow(control)) return;
    const Placed row{WindowPosition(control), &control};
    placed_.insert(
        std::upper_bound(placed_.begin(), placed_.end(), row,
                         [](const Placed& a, const Placed& b) { return a.position < b.position; }),
        row);
  });
  rows_.resize(placed_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    Row& row = rows_[i];
    row.control = placed_[i].control;
    if (!widgets::AccessibleNameIs(*row.control, row.said)) {
      widgets::AccessibleNameInto(*row.control, row.said);
    }
  }
  revision_ = form.Revision();
}

std::string ActAnnouncer::TakeChanges() {
  std::string announcement;
  if (form_ == nullptr || form_->Revision() == revision_) return announcement;
  for (Row& row : rows_) {
    if (widgets::AccessibleNameIs(*row.control, row.said)) continue;
    widgets::AccessibleNameInto(*row.control, now_);
    if (!announcement.empty()) announcement += EndsSentence(announcement) ? " " : ". ";
    announcement += now_;
    row.said = now_;
  }
  revision_ = form_->Revision();
  return announcement;
}

}  // namespace sqp
