#pragma once

#include <string_view>

namespace sqp {

// File-name comparisons as Windows makes them: ASCII letters match without
// regard to case; every other byte must be equal.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

bool HasWildcard(std::string_view name);

// "*" matches any run of characters, "?" exactly one (a UTF-8 sequence
// counts as one character); everything else as EqualsIgnoringAsciiCase.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace sqp
