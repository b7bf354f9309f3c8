#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "encoding/code_page.h"

namespace sqp {

// Splits a raw Windows command line into words: separators are the bytes 1
// to 32, a double quote opens a stretch that runs to the next double quote
// or the end, quotes are dropped, a backslash is an ordinary character, and
// a pair of quotes at the start of a word is skipped with the separators
// after it. The line ends at its end or at a NUL byte. A double-byte
// character is stepped over whole, so its second byte is never taken for a
// separator or a quote. The result holds the words up to the first empty
// one (which can only come at the end), the program's own name first.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line, LeadByteTest is_lead_byte);

// The program's arguments from the words of a command line: the words after
// the first, up to the first empty one.
std::vector<std::string> ArgumentsFromWords(const std::vector<std::string>& words);

// The program's arguments from an argv that the platform has already split:
// argv[1] onwards, up to the first empty one.
std::vector<std::string> ArgumentsFromArgv(int argc, const char* const* argv);

}  // namespace sqp
