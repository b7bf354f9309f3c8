#include "probes/path_text.h"

namespace sqp {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

constexpr std::string_view kBothSeparators = "/\\";

}  // namespace

bool IsDriveLetterText(std::string_view text) {
  return text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':' &&
         (text.size() == 2 || kBothSeparators.find(text[2]) != std::string_view::npos);
}

std::string_view SeparatorsOf(std::string_view text, PathStyle style) {
  if (style == PathStyle::kWindows || IsDriveLetterText(Trimmed(text))) return kBothSeparators;
  return "/";
}

bool IsSeparator(char c, std::string_view text, PathStyle style) {
  return SeparatorsOf(text, style).find(c) != std::string_view::npos;
}

std::size_t LastSeparator(std::string_view text, PathStyle style) {
  return text.find_last_of(SeparatorsOf(text, style));
}

std::string_view FolderDelimiters(std::string_view folder_text) {
  if (kPlatformPathStyle == PathStyle::kWindows) return "\\";
  return SeparatorsOf(folder_text);
}

bool IsFullLocalPath(std::string_view path, PathStyle style) {
  if (style == PathStyle::kPosix) {
    return !path.empty() && path[0] == '/' && (path.size() == 1 || path[1] != '/');
  }
  constexpr std::string_view kLongPrefix = "\\\\?\\";
  if (path.starts_with(kLongPrefix)) path.remove_prefix(kLongPrefix.size());
  return path.size() >= 3 && IsDriveLetterText(path);
}

std::string WithoutTrailingSeparators(std::string_view folder, PathStyle style) {
  const std::string_view separators = SeparatorsOf(folder, style);
  while (folder.size() > 1 && separators.find(folder.back()) != std::string_view::npos) {
    folder.remove_suffix(1);
  }
  std::string kept(folder);
  if (style == PathStyle::kWindows && !kept.empty() && kept.back() == ':') kept += '\\';
  return kept;
}

std::string HoldingFolder(std::string_view path, PathStyle style) {
  // A full local path starts with a separator or a drive's root, so the
  // folder is never empty.
  return WithoutTrailingSeparators(path.substr(0, LastSeparator(path, style) + 1), style);
}

}  // namespace sqp
