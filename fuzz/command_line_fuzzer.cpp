// The Windows command-line splitter on any line: the first input byte picks
// whether the code page has lead bytes, the rest is the line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cmdline/windows_command_line.h"
#include "fuzz_check.h"

namespace sqp::fuzz {
namespace {

// No double quote, NUL or separator in a word, except as the second byte of
// a double-byte character; separators may come only from a quoted stretch.
void CheckWordBytes(const std::string& word, LeadByteTest is_lead_byte) {
  for (std::size_t pos = 0; pos < word.size();) {
    const auto byte = static_cast<unsigned char>(word[pos]);
    if (is_lead_byte(byte) && pos + 1 < word.size()) {
      pos += 2;
      continue;
    }
    FUZZ_CHECK(byte != '"');
    FUZZ_CHECK(byte != 0);
    ++pos;
  }
}

void CheckSplit(std::string_view line, LeadByteTest is_lead_byte) {
  const std::vector<std::string> words = SplitWindowsCommandLine(line, is_lead_byte);
  FUZZ_CHECK(!words.empty());  // the program's name, even if empty
  std::size_t total = 0;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) FUZZ_CHECK(!words[i].empty());
    CheckWordBytes(words[i], is_lead_byte);
    total += words[i].size();
  }
  FUZZ_CHECK(total <= line.size());

  const std::vector<std::string> arguments = ArgumentsFromWords(words);
  FUZZ_CHECK(arguments.size() == words.size() - 1);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    FUZZ_CHECK(!arguments[i].empty());
    FUZZ_CHECK(arguments[i] == words[i + 1]);
  }

  // A line without lead bytes splits the same in either code page.
  if (is_lead_byte == ShiftJisLeadByte) {
    bool has_lead_byte = false;
    for (const char c : line) has_lead_byte |= ShiftJisLeadByte(static_cast<unsigned char>(c));
    if (!has_lead_byte) FUZZ_CHECK(words == SplitWindowsCommandLine(line, NoLeadByte));
  }

  // Without lead bytes every word quotes back to itself.
  if (is_lead_byte == NoLeadByte && !words.front().empty()) {
    std::string quoted;
    for (const std::string& word : words) quoted += "\"" + word + "\" ";
    FUZZ_CHECK(SplitWindowsCommandLine(quoted, NoLeadByte) == words);
  }
}

}  // namespace
}  // namespace sqp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view line(reinterpret_cast<const char*>(data) + 1, size - 1);
  sqp::fuzz::CheckSplit(line,
                        (data[0] & 1) != 0 ? sqp::fuzz::ShiftJisLeadByte : sqp::fuzz::NoLeadByte);
  return 0;
}
