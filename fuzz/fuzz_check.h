#pragma once

#include <cstdio>
#include <cstdlib>

// A property that failed is a crash for libFuzzer: it keeps the input.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace sqp::fuzz {

inline bool NoLeadByte(unsigned char /*byte*/) { return false; }

// The lead bytes of Shift-JIS (code page 932): a double-byte code page whose
// second bytes include the double quote, the backslash and the colon.
inline bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace sqp::fuzz
