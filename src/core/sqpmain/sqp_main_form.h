#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "sqpmain/check_answers.h"
#include "sqpmain/check_scheduler.h"
#include "sqpmain/folder_field.h"
#include "sqpmain/sqp_main_unit.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/form.h"
#include "widgets/group_box.h"
#include "widgets/label.h"
#include "widgets/page_control.h"
#include "widgets/progress_bar.h"

namespace sqp {

// The wizard window: three pages in a fixed, forward-only order. Page 0
// checks the installed client folder, page 1 the folder with the original CD
// files, page 2 is the end.
class TSQPMainForm : public widgets::Form {
 public:
  TSQPMainForm(Application& application, SQPMainUnit& unit);

  // The controls, in declaration order; the form owns them.
  widgets::PageControl* PageControl = nullptr;
  widgets::Button* NextButton = nullptr;
  widgets::ProgressBar* _ProgressBar = nullptr;
  widgets::Button* FinishButton = nullptr;
  widgets::Label* ActionLabel = nullptr;
  widgets::TabSheet* CheckHDTabSheet = nullptr;
  widgets::TabSheet* CheckCDTabSheet = nullptr;
  widgets::TabSheet* ApplyTabSheet = nullptr;
  widgets::Label* UOClientPathLabel = nullptr;
  widgets::Edit* UOClientPathEdit = nullptr;
  widgets::GroupBox* UOClientResultsGroupBox = nullptr;
  widgets::Label* UOClientStaIdxNameLabel = nullptr;
  widgets::Label* UOClientStaIdxResultLabel = nullptr;
  widgets::Label* UOClientStaticsNameLabel = nullptr;
  widgets::Label* UOClientStaticsResultLabel = nullptr;
  widgets::Label* UOClientMapNameLabel = nullptr;
  widgets::Label* UOClientMapResultLabel = nullptr;
  widgets::Edit* UOCDPathEdit = nullptr;
  widgets::Label* UOCDStaIdxResultLabel = nullptr;
  widgets::Label* UOCDStaticsResultLabel = nullptr;
  widgets::Label* UOCDMapResultLabel = nullptr;
  widgets::GroupBox* UOCDResultsGroupBox = nullptr;
  widgets::Label* UOCDMapNameLabel = nullptr;
  widgets::Label* UOCDStaticsNameLabel = nullptr;
  widgets::Label* UOCDStaIdxNameLabel = nullptr;
  widgets::Label* UOCDPathLabel = nullptr;
  widgets::Label* UOCDTypeResultLabel = nullptr;
  widgets::Label* UOCDTypeNameLabel = nullptr;
  widgets::Button* UOClientTestButton = nullptr;
  widgets::Button* UOCDRecheckButton = nullptr;

  // Where the checks' passes and the folder fields' questions to the file
  // system run; at once on this thread unless set.
  void SetCheckRunners(CheckRunner& passes, CheckRunner& questions) {
    checks_.SetRunners(passes, questions);
  }
  void SetCheckRunner(CheckRunner& runner) { SetCheckRunners(runner, runner); }

  // The folder field bound to `control`; nothing for any other control.
  FolderField* FolderFieldOf(const widgets::Control* control) const;

  // Makes ActionLabel and the buttons match the active page and its flag.
  void UpdateWizardState();

  void FormShow(widgets::Control* sender);
  void NextButtonClick(widgets::Control* sender);
  void FinishButtonClick(widgets::Control* sender);
  void PageControlChange(widgets::Control* sender);
  void UOClientTestButtonClick(widgets::Control* sender);
  void UOCDRecheckButtonClick(widgets::Control* sender);
  // The installed-client check.
  void UOClientPathEditChange(widgets::Control* sender);
  // The original-files check with edition detection.
  void UOCDPathEditChange(widgets::Control* sender);

 private:
  // Show one pass's answers on its page, then bring the buttons in line.
  void ShowClientAnswers(const ClientAnswers& answers);
  void ShowCDAnswers(const CDAnswers& answers);
  // A page whose pass has not answered yet.
  void ShowClientPending();
  void ShowCDPending();
  void ShowStartupError(std::string text);
  void WriteFolderAtStartup(widgets::Edit* edit, std::string folder_text);

  Application& application_;
  SQPMainUnit& unit_;
  // What "CD type" read before its page went pending: a size that cannot be
  // read leaves the label as a check in time would have left it.
  std::optional<std::string> cd_type_before_pending_;
  CheckScheduler checks_{application_};
  std::vector<std::unique_ptr<FolderField>> folder_fields_;
  int client_check_ = checks_.AddField(
      {[this] { ShowClientPending(); }, [this] { return PageControl->ActivePageIndex() > 0; }});
  int cd_check_ = checks_.AddField(
      {[this] { ShowCDPending(); }, [this] { return PageControl->ActivePageIndex() > 1; }});
};

}  // namespace sqp
