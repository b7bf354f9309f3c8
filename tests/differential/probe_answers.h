#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

namespace sqp::differential {

enum class Probe { kPresent, kWriteable, kSize };
inline constexpr std::array<Probe, 3> kProbes = {Probe::kPresent, Probe::kWriteable, Probe::kSize};

std::string_view ProbeName(Probe probe);

// `query` below `root`, its "/" turned into the platform's separator, or
// into "\" below a drive-letter root such as "Z:\tmp".
std::string ProbedPath(const std::string& root, const std::string& query);

// The answer of one probe as a word: "yes" or "no" for presence and
// writeability, the size in bytes, or "code N" for the I/O error it raised.
std::string AskProbe(Probe probe, const std::string& path);

// One line per query and probe: "INDEX PROBE ANSWER". Both back ends print
// it; the comparison reads the other one's.
void PrintAnswers(const std::string& root, std::ostream& out);

}  // namespace sqp::differential
