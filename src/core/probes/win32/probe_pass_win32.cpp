#include "probes/probe_pass.h"

namespace sqp {

// The Win32 calls ask the system every time; there is nothing to keep.
ProbePass::ProbePass() = default;
ProbePass::~ProbePass() = default;

}  // namespace sqp
