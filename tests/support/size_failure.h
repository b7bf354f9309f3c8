#pragma once

#include <string>

namespace sqp::testing {

// The I/O error code FileByteSize fails with for `path`; 0 when it measures.
int SizeFailureCode(const std::string& path);

}  // namespace sqp::testing
