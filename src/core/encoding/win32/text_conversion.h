#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sqp {

// Text crosses into Windows here and nowhere else. The program holds UTF-8;
// the window system speaks UTF-16, the single-byte file and command-line
// calls speak the system's ANSI code page.

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// The path in the ANSI code page, or nothing when it is not valid UTF-8,
// holds a NUL byte, or has a character the code page cannot spell (which
// would otherwise turn into a "?" wildcard).
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace sqp
