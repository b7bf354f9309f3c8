#pragma once

#include <string_view>

namespace sqp {

// File-name comparisons as Windows makes them: ASCII letters match without
// regard to case; every other byte must be equal.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// "*", "?" and ">", which Wine's FindFirstFile takes as "?" ("<" and the
// double quote are no patterns to it).
bool HasWildcard(std::string_view name);

// "*" matches any run of characters, "?" and ">" exactly one (a UTF-8
// sequence counts as one character); everything else as
// EqualsIgnoringAsciiCase.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// Whether `text` holds a character that Windows forbids in names: a control
// character, or one of * ? < > " |.
bool HasCharacterWindowsForbids(std::string_view text);

// Whether a folder listing under Wine names `a` before `b`: ASCII letters
// compared as capitals (so "_" comes after every letter), then, between
// names equal so, byte by byte ("MAP0.MUL" before "Map0.mul"). Among case
// variants of a name, or the matches of a pattern, the first in this order
// is the one FindFirstFile returns, on every file system.
bool ListsBefore(std::string_view a, std::string_view b);

}  // namespace sqp
