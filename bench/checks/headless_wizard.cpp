#include "headless_wizard.h"

namespace sqp::bench {

HeadlessWizard::HeadlessWizard(const std::string& patch_file, const std::string& client_folder,
                               const std::string& cd_folder)
    : program_(view_, {patch_file, client_folder, cd_folder}) {
  program_.App().ShowMainForm();
}

void HeadlessWizard::ClientPass() {
  TSQPMainForm& form = program_.SQPMainForm();
  program_.App().Dispatch([&form] { form.UOClientPathEditChange(form.UOClientPathEdit); });
}

void HeadlessWizard::CDPass() {
  TSQPMainForm& form = program_.SQPMainForm();
  program_.App().Dispatch([&form] { form.UOCDPathEditChange(form.UOCDPathEdit); });
}

}  // namespace sqp::bench
