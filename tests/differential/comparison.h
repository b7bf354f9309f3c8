#pragma once

#include <iosfwd>
#include <string>

#include "accepted_differences.h"

namespace sqp::differential {

// Asks this build's probes every query below `root` and compares each answer
// with the other back end's, read as PrintAnswers writes them. Writes every
// difference and the figures to `report`. True when every difference is an
// accepted one and every accepted one for `run_as` still differs (unless it
// depends on directory order).
bool CompareAnswers(const std::string& root, std::istream& other_answers, RunAs run_as,
                    std::ostream& report);

}  // namespace sqp::differential
