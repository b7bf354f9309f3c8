#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "probes/platform_path.h"

namespace sqp {

// Where the names of a path text start and end: one separator rule for each
// platform. Windows separates names by "\" and "/". Linux separates them by
// "/", and a text that starts with a drive letter ("C:\UO", which names a
// folder in the Wine prefix) by "\" as well. Blanks and control characters
// around the text do not count when the drive letter is looked for.

// Whether `text` starts with a drive letter and ":" followed by its end,
// "\" or "/" ("C:", "d:\cd", "Z:/tmp").
bool IsDriveLetterText(std::string_view text);

// The characters that separate the names of `text`, and whether `c` is one.
std::string_view SeparatorsOf(std::string_view text, PathStyle style = kPlatformPathStyle);
bool IsSeparator(char c, std::string_view text, PathStyle style = kPlatformPathStyle);

// Where the last separator of `text` is, or npos.
std::size_t LastSeparator(std::string_view text, PathStyle style = kPlatformPathStyle);

// The characters whose trailing runs NormalizeFolderPath strips from
// `folder_text`: the separators, except on Windows, where the program strips
// the backslash alone.
std::string_view FolderDelimiters(std::string_view folder_text);

// Whether `path` names an entry of this machine from its root: "/..." on
// POSIX, where "//host/..." lies on another machine; on Windows a drive's
// path "C:\...", also in its long form "\\?\C:\...", where "\\server\..."
// and "\\?\UNC\server\..." lie on another machine.
bool IsFullLocalPath(std::string_view path, PathStyle style = kPlatformPathStyle);

// A full local path of a folder without the separators at its end. A root
// keeps its separator: on Windows "C:" alone names the drive's current
// folder, not its root.
std::string WithoutTrailingSeparators(std::string_view folder,
                                      PathStyle style = kPlatformPathStyle);

// The folder that holds the entry a full local path names ("/home/u/cd" of
// "/home/u/cd/Map0.mul", "C:\" of "C:\setup.exe").
std::string HoldingFolder(std::string_view path, PathStyle style = kPlatformPathStyle);

}  // namespace sqp
