#pragma once

#include <stdexcept>
#include <string>

namespace sqp {

// The German message that the runtime's I/O error table holds for `code`.
std::string InOutErrorMessage(int code);

// The one failure the installation checks raise: a file-system step that
// failed, with its numeric I/O error code.
class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int code);

  int ErrorCode() const { return code_; }

 private:
  int code_;
};

}  // namespace sqp
