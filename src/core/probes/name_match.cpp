#include "probes/name_match.h"

#include <algorithm>
#include <cstddef>

namespace sqp {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

unsigned char UpperAscii(char c) {
  return static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length in bytes of the character that starts at `pos`.
std::size_t CharLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < text.size() && IsUtf8Continuation(text[end])) ++end;
  return end - pos;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool ListsBefore(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return UpperAscii(a[i]) < UpperAscii(b[i]);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool HasCharacterWindowsForbids(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 1 && byte <= 31) || c == '*' || c == '?' || c == '<' || c == '>' || c == '"' ||
        c == '|') {
      return true;
    }
  }
  return false;
}

bool HasWildcard(std::string_view name) {
  // One memchr per pattern character: find_first_of would call memchr once
  // per character of the name, and a plain loop takes three compares per
  // character, on every path of every check pass.
  return name.find('*') != std::string_view::npos || name.find('?') != std::string_view::npos ||
         name.find('>') != std::string_view::npos;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  // Iterative matcher with one backtrack point for the last "*" seen, so
  // hostile patterns cost at most O(pattern * name) steps.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star_p = std::string_view::npos;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star_p = p++;
      star_n = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == '>')) {
      ++p;
      n += CharLength(name, n);
    } else if (p < pattern.size() && LowerAscii(pattern[p]) == LowerAscii(name[n])) {
      ++p;
      ++n;
    } else if (star_p != std::string_view::npos) {
      p = star_p + 1;
      star_n += CharLength(name, star_n);
      n = star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace sqp
