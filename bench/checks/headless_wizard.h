#pragma once

#include <string>

#include "app/application_view.h"
#include "sqpatch/sqpatch_program.h"

namespace sqp::bench {

// A window system that shows nothing: boxes close at once, quits are ignored.
class SilentView : public ApplicationView {
 public:
  void RunMessageBox(const MessageBoxRequest& /*box*/, bool /*closes_at_once*/) override {}
  void PostQuit() override {}
};

// The program started as a front end starts it, headless, with both folder
// fields holding the given folders. Each pass is one event through the
// application's dispatch point, as a keystroke in the field is.
class HeadlessWizard {
 public:
  HeadlessWizard(const std::string& patch_file, const std::string& client_folder,
                 const std::string& cd_folder);

  void ClientPass();
  void CDPass();
  bool ClientFilesOk() const { return program_.Unit().UOClientFilesOk; }
  bool CDFilesOk() const { return program_.Unit().UOCDFilesOk; }
  std::string CDEdition() { return program_.SQPMainForm().UOCDTypeResultLabel->Text(); }

 private:
  SilentView view_;
  SQPatchProgram program_;
};

}  // namespace sqp::bench
