#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "widgets/form.h"

namespace sqp {

// What a screen reader is told after one act of the user (a key, a paste, a
// drop, a click): the result rows whose spoken names the act changed, each
// once, in reading order. A row that changed and changed back is not told.
class ActAnnouncer {
 public:
  // Remembers what each result row of `form` says now.
  void Begin(const widgets::Form& form);
  // The changed rows joined into one announcement, empty when none changed;
  // what the rows say now becomes the new start.
  std::string TakeChanges();

 private:
  struct Placed {
    std::pair<int, int> position;  // top, left in the window
    const widgets::Control* control;
  };
  struct Row {
    const widgets::Control* control = nullptr;
    std::string said;
  };
  // Runs on every key press: the rows and their names keep their storage
  // from one act to the next.
  std::vector<Placed> placed_;
  std::vector<Row> rows_;
  std::string now_;
  // The form's revision when the rows were last read (Form::Revision).
  const widgets::Form* form_ = nullptr;
  std::uint64_t revision_ = 0;
};

}  // namespace sqp
