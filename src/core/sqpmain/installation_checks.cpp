// The checks behind the two folder fields: what each pass's answers show.
#include <array>
#include <memory>
#include <utility>

#include "probes/in_out_error.h"
#include "sqpmain/cd_edition.h"
#include "sqpmain/check_answers.h"
#include "sqpmain/sqp_main_form.h"

namespace sqp {

namespace {

// Text first, then colour, so a view never shows a new colour behind an old text.
void ShowResult(widgets::Label& label, const char* text, widgets::Color color) {
  label.SetText(text);
  label.SetColor(color);
}

constexpr const char* kChecking = "Checking...";

void ShowChecking(widgets::Label& label) {
  label.SetText(kChecking);
  label.ClearColor();
}

}  // namespace

// A pass's answers are written by whichever thread asks and read on the
// window's thread once the runner says the pass has finished.
void TSQPMainForm::UOClientPathEditChange(widgets::Control* /*sender*/) {
  auto answers = std::make_shared<ClientAnswers>();
  checks_.Wish(client_check_,
               {[answers, text = UOClientPathEdit->Text()] { *answers = AskClientFolder(text); },
                [this, answers] { ShowClientAnswers(*answers); }});
}

void TSQPMainForm::UOCDPathEditChange(widgets::Control* /*sender*/) {
  auto answers = std::make_shared<CDAnswers>();
  checks_.Wish(cd_check_, {[answers, text = UOCDPathEdit->Text()] { *answers = AskCDFolder(text); },
                           [this, answers] { ShowCDAnswers(*answers); }});
}

void TSQPMainForm::ShowClientPending() {
  for (widgets::Label* label :
       {UOClientStaIdxResultLabel, UOClientStaticsResultLabel, UOClientMapResultLabel}) {
    ShowChecking(*label);
  }
  unit_.UOClientFilesOk = false;
  UpdateWizardState();
}

void TSQPMainForm::ShowCDPending() {
  for (widgets::Label* label :
       {UOCDStaIdxResultLabel, UOCDStaticsResultLabel, UOCDMapResultLabel}) {
    ShowChecking(*label);
  }
  if (!cd_type_before_pending_) cd_type_before_pending_ = UOCDTypeResultLabel->Text();
  UOCDTypeResultLabel->SetText(kChecking);
  unit_.UOCDFilesOk = false;
  UpdateWizardState();
}

void TSQPMainForm::ShowClientAnswers(const ClientAnswers& answers) {
  unit_.UOClientFilesOk = true;
  const std::array<widgets::Label*, 3> labels = {
      UOClientStaIdxResultLabel, UOClientStaticsResultLabel, UOClientMapResultLabel};
  for (std::size_t row = 0; row < labels.size(); ++row) {
    const ClientAnswers::File& file = answers.files[row];
    if (!file.present) {
      unit_.UOClientFilesOk = false;
      ShowResult(*labels[row], "Not found!", widgets::kRed);
    } else if (file.writeable) {
      ShowResult(*labels[row], "Found and writeable!", widgets::kGreen);
    } else {
      unit_.UOClientFilesOk = false;
      ShowResult(*labels[row], "Found, but readonly!", widgets::kRed);
    }
  }
  UpdateWizardState();
}

void TSQPMainForm::ShowCDAnswers(const CDAnswers& answers) {
  const std::optional<std::string> type_before =
      std::exchange(cd_type_before_pending_, std::nullopt);
  unit_.UOCDFilesOk = true;
  const std::array<widgets::Label*, 3> labels = {UOCDStaIdxResultLabel, UOCDStaticsResultLabel,
                                                 UOCDMapResultLabel};
  for (std::size_t row = 0; row < labels.size(); ++row) {
    if (answers.present[row]) {
      ShowResult(*labels[row], "Found!", widgets::kGreen);
    } else {
      unit_.UOCDFilesOk = false;
      ShowResult(*labels[row], "Not found!", widgets::kRed);
    }
  }
  if (unit_.UOCDFilesOk) {
    // A size that could not be read ends the pass here, before the edition
    // label and the buttons are touched.
    if (answers.size_failure != 0) {
      if (type_before) UOCDTypeResultLabel->SetText(*type_before);
      throw EInOutError(answers.size_failure);
    }
    UOCDTypeResultLabel->SetText(CDEditionFromStaticsSize(answers.statics_size));
  } else {
    UOCDTypeResultLabel->SetText("Path not correct!");
  }
  UpdateWizardState();
}

}  // namespace sqp
