#include "probes/folder_path.h"

namespace sqp {

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string TrimControlAndBlanks(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlankOrControl(text[first])) ++first;
  while (last > first && IsBlankOrControl(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string NormalizeFolderPath(std::string_view folder_text, std::string_view delimiters) {
  // Each trailing delimiter becomes a blank and the text is trimmed again.
  // Done on a view, so a text of a million delimiters costs one pass rather
  // than a million copies.
  std::string_view path = folder_text;
  while (!path.empty() && delimiters.find(path.back()) != std::string_view::npos) {
    path.remove_suffix(1);
    while (!path.empty() && IsBlankOrControl(path.front())) path.remove_prefix(1);
    while (!path.empty() && IsBlankOrControl(path.back())) path.remove_suffix(1);
  }
  return TrimControlAndBlanks(path);
}

std::string JoinFilePath(std::string_view folder_path, std::string_view file_name) {
  std::string path;
  JoinFilePathInto(folder_path, file_name, path);
  return path;
}

void JoinFilePathInto(std::string_view folder_path, std::string_view file_name, std::string& path) {
  path.reserve(folder_path.size() + 1 + file_name.size());
  path.assign(folder_path);
  path += kPathDelimiter;
  path += file_name;
}

}  // namespace sqp
