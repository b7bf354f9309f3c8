#pragma once

namespace sqp {

// Whether a byte starts a double-byte character of a code page.
using LeadByteTest = bool (*)(unsigned char byte);

// The lead-byte test of the system's code page. Linux speaks UTF-8, which
// never uses an ASCII byte inside a character, so there it is always false.
bool IsCodePageLeadByte(unsigned char byte);

}  // namespace sqp
