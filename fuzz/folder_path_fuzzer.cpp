// NormalizeFolderPath on any text, with the backslash and with the slash.
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
std::string NormalizeLiterally(std::string text, char delimiter) {
  while (!text.empty() && text.back() == delimiter) {
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
  FUZZ_CHECK(path == NormalizeLiterally(std::string(text), delimiter));
}

}  // namespace
}  // namespace sqp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sqp::fuzz::CheckNormalize(text, '\\');
  sqp::fuzz::CheckNormalize(text, '/');
  return 0;
}
