#include "encoding/code_page.h"

namespace sqp {

bool IsCodePageLeadByte(unsigned char /*byte*/) { return false; }

}  // namespace sqp
