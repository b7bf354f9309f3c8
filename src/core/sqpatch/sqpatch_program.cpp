#include "sqpatch/sqpatch_program.h"

namespace sqp {

SQPatchProgram::SQPatchProgram(ApplicationView& view, std::vector<std::string> arguments)
    : application_(view) {
  application_.SetArguments(std::move(arguments));
  application_.SetTitle(kApplicationTitle);
  form_ = std::make_unique<TSQPMainForm>(application_, unit_);
  application_.SetMainForm(form_.get());
}

void SQPatchProgram::AskOffWindowThread() {
  // The checks bound their own blocked passes, so every one of theirs gets
  // a worker. A question beyond its few workers is not asked: its answer
  // would come too late anyway.
  passes_ = std::make_unique<ThreadCheckRunner>(application_.WindowThread(), kMaxBlockedPasses + 1,
                                                ThreadCheckRunner::WhenBusy::kQueue);
  questions_ = std::make_unique<ThreadCheckRunner>(application_.WindowThread(), 4,
                                                   ThreadCheckRunner::WhenBusy::kRefuseLate);
  form_->SetCheckRunners(*passes_, *questions_);
}

}  // namespace sqp
