#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <string>

#include "accepted_differences.h"

namespace sqp::differential {

struct ComparisonFigures {
  std::size_t queries = 0;
  std::size_t answers = 0;
  std::size_t same = 0;
  std::map<Reason, std::size_t> accepted;
  std::size_t unexpected = 0;
  // Accepted differences whose answers agree; those that depend on
  // directory order are counted apart, since another file system may order
  // the folder otherwise.
  std::size_t stale = 0;
  std::size_t same_in_this_order = 0;
  // Accepted differences for queries the table does not ask.
  std::size_t unknown_queries = 0;

  std::size_t AcceptedTotal() const;
  bool Passed() const { return unexpected == 0 && stale == 0 && unknown_queries == 0; }
};

// Asks this build's probes every query below `root` and compares each answer
// with the other back end's, read as PrintAnswers writes them (either line
// end). Writes every difference and the figures to `report`.
ComparisonFigures CompareAnswers(const std::string& root, std::istream& other_answers,
                                 std::ostream& report);

}  // namespace sqp::differential
