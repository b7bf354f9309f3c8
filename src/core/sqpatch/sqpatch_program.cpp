#include "sqpatch/sqpatch_program.h"

namespace sqp {

SQPatchProgram::SQPatchProgram(ApplicationView& view, std::vector<std::string> arguments)
    : application_(view) {
  application_.SetArguments(std::move(arguments));
  application_.SetTitle(kApplicationTitle);
  form_ = std::make_unique<TSQPMainForm>(application_, unit_);
  application_.SetMainForm(form_.get());
}

}  // namespace sqp
