#pragma once

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
  std::vector<std::pair<const widgets::Control*, std::string>> before_;
};

// The labels that read as a row of results ("Statics0.mul: Not found!"), in
// reading order: top to bottom, then left to right, in the window.
std::vector<const widgets::Control*> ResultRows(const widgets::Form& form);

}  // namespace sqp
