#include "sqpmain/sqp_main_form.h"

#include <type_traits>
#include <vector>

#include "probes/file_probes.h"
#include "sqpmain/file_extension.h"
#include "sqpmain/sqp_main_layout.h"

namespace sqp {

using widgets::Control;
using widgets::ControlKind;

namespace {

constexpr const char* kErrorCaption = "Error";
constexpr const char* kUsageText = "Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]";

void Connect(Control& control, widgets::Handler handler) {
  switch (control.Kind()) {
    case ControlKind::kEdit:
      static_cast<widgets::Edit&>(control).on_change = std::move(handler);
      break;
    case ControlKind::kButton:
      static_cast<widgets::Button&>(control).on_click = std::move(handler);
      break;
    case ControlKind::kPageControl:
      static_cast<widgets::PageControl&>(control).on_change = std::move(handler);
      break;
    default:
      break;
  }
}

}  // namespace

TSQPMainForm::TSQPMainForm(Application& application, SQPMainUnit& unit)
    : Form("SQPMainForm",
           {0, 0, SQPMainWindowLayout().client_width, SQPMainWindowLayout().client_height}),
      application_(application),
      unit_(unit) {
  SetText(std::string(SQPMainWindowLayout().caption));
  for (const LayoutRow& row : SQPMainLayout()) {
    Control* parent = row.parent.empty() ? this : FindControl(row.parent);
    Control* control = std::visit(
        [&](auto field) -> Control* {
          using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(this->*field)>>;
          Widget* created = Create<Widget>(std::string(row.name), parent, row.bounds);
          this->*field = created;
          return created;
        },
        row.field);
    control->SetText(std::string(row.text));
    control->SetTabOrder(row.tab_order);
    if (control->Kind() == ControlKind::kTabSheet) {
      auto* page = static_cast<widgets::TabSheet*>(control);
      page->SetTabVisible(false);
      PageControl->AddPage(page);
    }
  }
  PageControl->SetActivePage(ApplyTabSheet);
  for (const AccessibleNameRow& row : SQPMainAccessibleNames()) {
    std::vector<const Control*> named_by;
    for (std::string_view part : row.named_by) {
      if (!part.empty()) named_by.push_back(FindControl(part));
    }
    FindControl(row.control)->SetNamedBy(std::move(named_by));
  }
  for (std::string_view name : SQPMainFolderFields()) {
    folder_fields_.push_back(std::make_unique<FolderField>(
        application_, static_cast<widgets::Edit&>(*FindControl(name)), checks_));
  }

  // Handlers come last, once every edit holds its layout text, so that
  // building the window runs no check.
  for (const LayoutRow& row : SQPMainLayout()) {
    if (row.event == nullptr) continue;
    Connect(*FindControl(row.name),
            [this, event = row.event](Control* sender) { (this->*event)(sender); });
  }
  on_show = [this](Control* sender) { FormShow(sender); };
}

FolderField* TSQPMainForm::FolderFieldOf(const Control* control) const {
  for (const std::unique_ptr<FolderField>& field : folder_fields_) {
    if (&field->GetEdit() == control) return field.get();
  }
  return nullptr;
}

void TSQPMainForm::UpdateWizardState() {
  widgets::TabSheet* active = PageControl->ActivePage();
  // With the tabs hidden, this label is where the user reads the page.
  ActionLabel->SetText(active != nullptr ? active->Text() : std::string());
  if (active == PageControl->Page(0)) {
    NextButton->SetEnabled(unit_.UOClientFilesOk);
  } else if (active == PageControl->Page(1)) {
    NextButton->SetEnabled(unit_.UOCDFilesOk);
  } else {
    NextButton->SetEnabled(false);
  }
  FinishButton->SetEnabled(false);
}

void TSQPMainForm::NextButtonClick(Control* /*sender*/) {
  // Next is only enabled while the page's check has passed.
  if (PageControl->ActivePage() == PageControl->Page(0)) {
    PageControl->SetActivePage(PageControl->Page(1));
  } else if (PageControl->ActivePage() == PageControl->Page(1)) {
    PageControl->SetActivePage(PageControl->Page(2));
  }
  UpdateWizardState();
}

void TSQPMainForm::FinishButtonClick(Control* /*sender*/) {
  // The wizard carries no patching step.
}

void TSQPMainForm::PageControlChange(Control* /*sender*/) { UpdateWizardState(); }

void TSQPMainForm::UOClientTestButtonClick(Control* sender) {
  UOClientPathEditChange(sender);
  UpdateWizardState();
}

void TSQPMainForm::UOCDRecheckButtonClick(Control* sender) {
  UOCDPathEditChange(sender);
  UpdateWizardState();
}

void TSQPMainForm::FormShow(Control* /*sender*/) {
  const int count = application_.ParamCount();
  if (count != 1 && count != 3) ShowStartupError(kUsageText);
  if (count == 1 || count == 3) {
    unit_.PatchFilePath = application_.ParamStr(1);
    WriteFolderAtStartup(UOClientPathEdit, application_.ParamStr(2));
    WriteFolderAtStartup(UOCDPathEdit, application_.ParamStr(3));
  }
  if (!FileIsPresent(unit_.PatchFilePath)) {
    ShowStartupError(unit_.PatchFilePath + " does not exist!");
  }
  if (!HasPatchFileExtension(unit_.PatchFilePath)) {
    ShowStartupError(unit_.PatchFilePath + " is not a .sq2 file!");
  }
  PageControl->SetActivePage(CheckHDTabSheet);
  UpdateWizardState();
}

void TSQPMainForm::ShowStartupError(std::string text) {
  application_.MessageBox(std::move(text), kErrorCaption, MessageBoxIcon::kNone);
  application_.PostQuitRequest();
  application_.SetExitCode(1);
}

void TSQPMainForm::WriteFolderAtStartup(widgets::Edit* edit, std::string folder_text) {
  // A check that fails here is reported, and start-up goes on: the patch
  // file still gets tested and the window still opens on page 0.
  application_.Dispatch([&] { edit->SetText(std::move(folder_text)); });
}

}  // namespace sqp
