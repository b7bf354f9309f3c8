// NormalizeFolderPath on any text, with the backslash, with the slash, and
// with the delimiters the Linux build picks for the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "probes/folder_path.h"

namespace sqp::fuzz {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// The rule step by step as it reads, to compare with.
std::string NormalizeLiterally(std::string text, std::string_view delimiters) {
  while (!text.empty() && delimiters.find(text.back()) != std::string_view::npos) {
    text.back() = ' ';
    text = TrimControlAndBlanks(text);
  }
  return TrimControlAndBlanks(text);
}

// Whether the text's last delimiter is followed by blanks or control
// characters only, and by at least one.
bool BlanksAfterLastDelimiter(std::string_view text, char delimiter) {
  const std::size_t last = text.rfind(delimiter);
  if (last == std::string_view::npos || last + 1 == text.size()) return false;
  for (std::size_t pos = last + 1; pos < text.size(); ++pos) {
    if (!IsBlankOrControl(text[pos])) return false;
  }
  return true;
}

void CheckNormalize(std::string_view text, char delimiter) {
  const std::string path = NormalizeFolderPath(text, delimiter);
  if (!path.empty()) {
    FUZZ_CHECK(!IsBlankOrControl(path.front()));
    FUZZ_CHECK(!IsBlankOrControl(path.back()));
  }
  FUZZ_CHECK(path.size() <= text.size());
  FUZZ_CHECK(text.find(path) != std::string_view::npos);
  const bool ends_in_delimiter = !path.empty() && path.back() == delimiter;
  FUZZ_CHECK(ends_in_delimiter == BlanksAfterLastDelimiter(text, delimiter));
  FUZZ_CHECK(path == NormalizeLiterally(std::string(text), std::string_view(&delimiter, 1)));
}

// On Linux a text whose first non-blank characters are a drive letter and
// ":", followed by the end of the text, "\\" or "/" (blanks and control
// characters at the end aside), strips both separators; any other text "/".
void CheckLinuxNormalize(std::string_view text) {
  std::string_view trimmed = text;
  while (!trimmed.empty() && IsBlankOrControl(trimmed.front())) trimmed.remove_prefix(1);
  while (!trimmed.empty() && IsBlankOrControl(trimmed.back())) trimmed.remove_suffix(1);
  const bool drive =
      trimmed.size() >= 2 &&
      ((trimmed[0] >= 'a' && trimmed[0] <= 'z') || (trimmed[0] >= 'A' && trimmed[0] <= 'Z')) &&
      trimmed[1] == ':' && (trimmed.size() == 2 || trimmed[2] == '\\' || trimmed[2] == '/');
  const std::string path = NormalizeFolderPath(text);
  FUZZ_CHECK(path == NormalizeLiterally(std::string(text), drive ? "\\/" : "/"));
  // Stripping never takes the drive itself.
  if (drive) FUZZ_CHECK(path.size() >= 2 && path[1] == ':');
}

}  // namespace
}  // namespace sqp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sqp::fuzz::CheckNormalize(text, '\\');
  sqp::fuzz::CheckNormalize(text, '/');
  sqp::fuzz::CheckLinuxNormalize(text);
  return 0;
}
