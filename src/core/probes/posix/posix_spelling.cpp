#include "probes/posix/posix_spelling.h"

#include <cstdlib>

namespace sqp {

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsWindowsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

PathEnvironment PathEnvironmentOfProcess() {
  return {EnvironmentValue("WINEPREFIX"), EnvironmentValue("HOME")};
}

std::optional<std::string> WinePrefix(const PathEnvironment& environment) {
  if (!environment.wine_prefix.empty()) return environment.wine_prefix;
  if (environment.home.empty()) return std::nullopt;
  std::string prefix = environment.home;
  if (prefix.back() != '/') prefix += '/';
  return prefix + ".wine";
}

bool IsDriveLetterText(std::string_view text) {
  return text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':' &&
         (text.size() == 2 || IsWindowsSeparator(text[2]));
}

std::optional<std::string> PosixSpelling(std::string_view text,
                                         const PathEnvironment& environment) {
  if (IsDriveLetterText(text)) {
    std::optional<std::string> spelling = WinePrefix(environment);
    if (!spelling) return std::nullopt;
    if (spelling->back() != '/') *spelling += '/';
    *spelling += "dosdevices/";
    *spelling += static_cast<char>(text[0] | 0x20);  // ASCII lower case
    *spelling += ':';
    for (const char c : text.substr(2)) {
      if (!IsWindowsSeparator(c)) {
        *spelling += c;
      } else if (spelling->back() != '/') {
        *spelling += '/';
      }
    }
    return spelling;
  }
  if (text == "~" || text.starts_with("~/")) {
    if (environment.home.empty()) return std::nullopt;
    std::string spelling = environment.home;
    if (text.size() > 1 && spelling.back() == '/') spelling.pop_back();
    spelling += text.substr(1);
    return spelling;
  }
  return std::string(text);
}

}  // namespace sqp
