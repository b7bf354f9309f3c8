#pragma once

#include <string>
#include <string_view>

#include "probes/path_text.h"

namespace sqp {

// Removes every character with a code of 32 or below (compared as an
// unsigned byte) from both ends.
std::string TrimControlAndBlanks(std::string_view text);

// Turns the text of a folder field into the folder path that file names are
// appended to: trailing delimiters (any of `delimiters`) are stripped, then
// blanks and control characters at both ends. A delimiter followed by a
// blank survives, because only the very last character is looked at before
// each trim.
std::string NormalizeFolderPath(std::string_view folder_text, std::string_view delimiters);
inline std::string NormalizeFolderPath(std::string_view folder_text, char delimiter) {
  return NormalizeFolderPath(folder_text, std::string_view(&delimiter, 1));
}
inline std::string NormalizeFolderPath(std::string_view folder_text) {
  return NormalizeFolderPath(folder_text, FolderDelimiters(folder_text));
}

// The folder path followed by the delimiter and `file_name`.
std::string JoinFilePath(std::string_view folder_path, std::string_view file_name);
// The same into `path`, whose storage is reused.
void JoinFilePathInto(std::string_view folder_path, std::string_view file_name, std::string& path);

}  // namespace sqp
