#include "sqpmain/file_extension.h"

#include "probes/platform_path.h"  // kExtensionStopChars

namespace sqp {

std::string ExtractFileExtension(std::string_view path, std::string_view stop_chars,
                                 LeadByteTest is_lead_byte) {
  std::size_t last_mark = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size();) {
    const char c = path[pos];
    if (c == '.' || stop_chars.find(c) != std::string_view::npos) last_mark = pos;
    pos += (is_lead_byte(static_cast<unsigned char>(c)) && pos + 1 < path.size()) ? 2 : 1;
  }
  if (last_mark == std::string_view::npos || path[last_mark] != '.') return {};
  return std::string(path.substr(last_mark));
}

std::string LowerAsciiOnly(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

bool HasPatchFileExtension(std::string_view path) {
  // The path is UTF-8 by now, where no ASCII byte ever sits inside a
  // character: stepping byte by byte gives what stepping the code page's
  // double-byte characters gives. The code page's lead-byte test would
  // misread UTF-8 bytes on a double-byte Windows.
  constexpr LeadByteTest kUtf8 = [](unsigned char) { return false; };
  return LowerAsciiOnly(ExtractFileExtension(path, kExtensionStopChars, kUtf8)) == ".sq2";
}

}  // namespace sqp
