#include "support/size_failure.h"

#include "probes/file_probes.h"

namespace sqp::testing {

int SizeFailureCode(const std::string& path) {
  try {
    FileByteSize(path);
    return 0;
  } catch (const EInOutError& error) {
    return error.ErrorCode();
  }
}

}  // namespace sqp::testing
