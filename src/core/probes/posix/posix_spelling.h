#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "probes/path_text.h"

namespace sqp {

// Where the user's Windows paths live on Linux.
struct PathEnvironment {
  std::string wine_prefix;  // $WINEPREFIX; empty when unset
  std::string home;         // $HOME; empty when unset
};

// The process's own environment.
PathEnvironment PathEnvironmentOfProcess();

// The Wine prefix the drive letters map into: $WINEPREFIX when set and not
// empty, else $HOME/.wine; nothing when neither can be formed.
std::optional<std::string> WinePrefix(const PathEnvironment& environment);

// The POSIX spelling of a folder or file text, formed from the text and the
// environment alone (nothing is read from disk; the kernel follows the
// drive's link when the spelling is used):
//   "C:\UO"   -> "<prefix>/dosdevices/c:/UO"
//   "C:"      -> "<prefix>/dosdevices/c:"
// After a drive "\" and "/" both separate, runs of them count as one, and
// "." and ".." are taken as steps in the text that never leave the drive;
// a separator at the end stays.
//   "~", "~/x" -> "$HOME", "$HOME/x"
// Every other text comes back unchanged ("~user/x" and "C:UO" included).
// Nothing when the text needs a prefix or a home that the environment lacks.
std::optional<std::string> PosixSpelling(std::string_view text, const PathEnvironment& environment);
inline std::optional<std::string> PosixSpelling(std::string_view text) {
  return PosixSpelling(text, PathEnvironmentOfProcess());
}

// `path` with "." and ".." taken as steps in the text, as Windows takes
// them before it looks anything up: "a/missing/../b" is "a/b", and ".."
// after a symbolic link goes back to the link's folder. ".." at the root
// stays there; leading ".." of a relative path stay. Runs of "/" count as
// one; a "/" at the end stays.
std::string CollapseDotSteps(std::string_view path);

// The path the probes and the folder lookups look for: the text's POSIX
// spelling with "." and ".." taken as steps in the text (a drive's spelling
// has taken them already, never leaving the drive).
std::optional<std::string> LookupSpelling(std::string_view text);

// Whether LookupSpelling gives `text` back as it is, so that a probe may
// use the text without a copy.
bool IsOwnLookupSpelling(std::string_view text);

}  // namespace sqp
