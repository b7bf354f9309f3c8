// The patch file's extension on any name: the first input byte picks the
// stop characters (Windows "\" and ":", or POSIX "/") and whether the code
// page has lead bytes; the rest is the name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "sqpmain/file_extension.h"

namespace sqp::fuzz {
namespace {

void CheckExtension(std::string_view path, std::string_view stop_chars, LeadByteTest is_lead_byte) {
  const std::string extension = ExtractFileExtension(path, stop_chars, is_lead_byte);
  FUZZ_CHECK(extension.size() <= path.size());
  FUZZ_CHECK(path.substr(path.size() - extension.size()) == extension);
  if (!extension.empty()) FUZZ_CHECK(extension.front() == '.');

  // Where each character of the path starts.
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0; pos < path.size();) {
    starts.push_back(pos);
    pos += (is_lead_byte(static_cast<unsigned char>(path[pos])) && pos + 1 < path.size()) ? 2 : 1;
  }
  const std::size_t from = path.size() - extension.size();
  std::size_t last_dot = std::string_view::npos;
  bool stop_after_dot = false;
  for (const std::size_t pos : starts) {
    const char c = path[pos];
    const bool is_stop = stop_chars.find(c) != std::string_view::npos;
    // No stop character in the extension, but as a second byte.
    if (!extension.empty() && pos >= from) FUZZ_CHECK(!is_stop);
    if (c == '.') {
      last_dot = pos;
      stop_after_dot = false;
    } else if (is_stop) {
      stop_after_dot = true;
    }
  }
  // The extension starts at the last dot unless a stop character follows it.
  if (last_dot != std::string_view::npos && !stop_after_dot) {
    FUZZ_CHECK(from == last_dot && !extension.empty());
  } else {
    FUZZ_CHECK(extension.empty());
  }

  const std::string lowered = LowerAsciiOnly(extension);
  FUZZ_CHECK(lowered.size() == extension.size());
  for (std::size_t i = 0; i < lowered.size(); ++i) {
    const char c = extension[i];
    FUZZ_CHECK(lowered[i] == ((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c));
  }
}

}  // namespace
}  // namespace sqp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view path(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string_view stop_chars = (data[0] & 2) != 0 ? "\\:" : "/";
  sqp::fuzz::CheckExtension(
      path, stop_chars, (data[0] & 1) != 0 ? sqp::fuzz::ShiftJisLeadByte : sqp::fuzz::NoLeadByte);
  sqp::HasPatchFileExtension(path);
  return 0;
}
