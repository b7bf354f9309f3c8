#pragma once

#include <string>
#include <string_view>

#include "encoding/code_page.h"

namespace sqp {

// The text from the last "." of `path` to its end, unless one of
// `stop_chars` comes after that dot; otherwise empty. The path is stepped
// through by characters, so the second byte of a double-byte character never
// counts as a dot or a stop character.
std::string ExtractFileExtension(std::string_view path, std::string_view stop_chars,
                                 LeadByteTest is_lead_byte);

// Turns A to Z into a to z; no other byte changes.
std::string LowerAsciiOnly(std::string_view text);

// Whether `path` names a patch file by its extension: ".sq2" in any letter
// case, with the platform's folder separators.
bool HasPatchFileExtension(std::string_view path);

}  // namespace sqp
