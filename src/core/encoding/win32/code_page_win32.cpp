#include <windows.h>

#include "encoding/code_page.h"

namespace sqp {

bool IsCodePageLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

}  // namespace sqp
