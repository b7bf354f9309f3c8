#pragma once

#include <string>
#include <vector>

#include "widgets/edit.h"
#include "widgets/form.h"

namespace sqp::testing {

// Counts the runs of a folder field's check (its change handler), with the
// text each run met, and the changes of the field's text, in whatever view
// the field is shown.
class CheckCounter : private widgets::ControlObserver {
 public:
  CheckCounter(widgets::Form& form, widgets::Edit* edit) : form_(form), edit_(edit) {
    original_ = edit_->on_change;
    edit_->on_change = [this](widgets::Control* sender) {
      ++checks;
      checked.push_back(edit_->Text());
      original_(sender);
    };
    form_.AddObserver(this);
  }
  ~CheckCounter() override {
    form_.RemoveObserver(this);
    edit_->on_change = original_;
  }

  int checks = 0;
  std::vector<std::string> checked;
  int text_changes = 0;

 private:
  void ControlChanged(widgets::Control& control, widgets::Change change) override {
    if (&control == edit_ && change == widgets::Change::kText) ++text_changes;
  }

  widgets::Form& form_;
  widgets::Edit* edit_;
  widgets::Handler original_;
};

}  // namespace sqp::testing
