#include "support/headless_driver.h"

#include "support/held_disk.h"
#include "support/wizard_session.h"
#include "widgets/edit.h"

namespace sqp::sessions {

namespace {

ResultLook ToLook(const widgets::Label& label) { return {label.Text(), label.OwnColor()}; }

EditLook ToLook(const widgets::Edit& edit) {
  return {edit.Text(), edit.SelectionStart(), edit.SelectionLength()};
}

class HeadlessDriver : public WizardDriver {
 public:
  void Start(const std::vector<std::string>& arguments) override {
    session_ = std::make_unique<testing::WizardSession>(arguments, disk_);
  }

  void Apply(const UserStep& step) override { session_->Apply(step); }
  void SetStalled(bool stalled) override { disk_.stalled = stalled; }
  std::size_t Held() override { return disk_.held.size(); }
  void Release(std::size_t index) override { disk_.Release(index); }

  WizardLook Look() override {
    TSQPMainForm& form = session_->Form();
    WizardLook look;
    look.page = session_->ActivePage();
    look.action = session_->Action();
    look.next_enabled = session_->NextEnabled();
    look.finish_enabled = session_->FinishEnabled();
    look.focus = session_->FocusedName();
    look.edits = {ToLook(*form.UOClientPathEdit), ToLook(*form.UOCDPathEdit)};
    look.client = {ToLook(*form.UOClientStaIdxResultLabel),
                   ToLook(*form.UOClientStaticsResultLabel), ToLook(*form.UOClientMapResultLabel)};
    look.cd = {ToLook(*form.UOCDStaIdxResultLabel), ToLook(*form.UOCDStaticsResultLabel),
               ToLook(*form.UOCDMapResultLabel)};
    look.cd_type = ToLook(*form.UOCDTypeResultLabel);
    for (const testing::ShownBox& shown : session_->View().boxes) {
      look.boxes.push_back({shown.box.text, shown.box.caption,
                            shown.box.icon == MessageBoxIcon::kStop, shown.waited});
    }
    look.quit_requests = session_->View().quit_requests;
    look.exit_status = session_->App().ExitCode();
    return look;
  }

 private:
  // Outlives the session, which hands it its passes.
  testing::HeldDisk disk_;
  std::unique_ptr<testing::WizardSession> session_;
};

}  // namespace

std::unique_ptr<WizardDriver> MakeHeadlessDriver() { return std::make_unique<HeadlessDriver>(); }

}  // namespace sqp::sessions
