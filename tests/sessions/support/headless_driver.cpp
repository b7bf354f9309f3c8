#include "support/headless_driver.h"

#include "support/wizard_session.h"
#include "widgets/edit.h"

namespace sqp::sessions {

namespace {

using widgets::Key;

ResultLook ToLook(const widgets::Label& label) { return {label.Text(), label.OwnColor()}; }

EditLook ToLook(const widgets::Edit& edit) {
  return {edit.Text(), edit.SelectionStart(), edit.SelectionLength()};
}

class HeadlessDriver : public WizardDriver {
 public:
  void Start(const std::vector<std::string>& arguments) override {
    session_ = std::make_unique<testing::WizardSession>(arguments);
  }

  void Apply(const UserStep& step) override {
    TSQPMainForm& form = session_->Form();
    widgets::Edit* edit = FocusedEdit();
    switch (step.kind) {
      case StepKind::kType:
        if (edit != nullptr) session_->Type(*edit, step.text);
        break;
      case StepKind::kBackspace:
        if (edit != nullptr) session_->Backspace(*edit);
        break;
      case StepKind::kDelete:
        if (edit != nullptr) session_->Delete(*edit);
        break;
      case StepKind::kSelectAll:
        if (edit != nullptr) edit->SelectAll();
        break;
      case StepKind::kPaste:
        if (edit != nullptr) session_->Paste(*edit, step.text);
        break;
      case StepKind::kUndo:
        if (edit != nullptr) session_->Undo(*edit);
        break;
      case StepKind::kClickEdit: {
        widgets::Edit* visible = VisibleEdit();
        if (visible == nullptr) break;
        session_->FocusByMouse(*visible);
        visible->Select(visible->Text().size(), 0);
        break;
      }
      case StepKind::kDrop:
        if (widgets::Edit* visible = VisibleEdit()) {
          std::vector<std::string> items;
          for (std::size_t pos = 0; pos <= step.text.size();) {
            const std::size_t end = std::min(step.text.find('\n', pos), step.text.size());
            items.push_back(step.text.substr(pos, end - pos));
            pos = end + 1;
          }
          session_->Drop(*visible, items);
        }
        break;
      case StepKind::kClickTest:
        if (form.UOClientTestButton->Showing())
          session_->Click(*form.UOClientTestButton);
        else if (form.UOCDRecheckButton->Showing())
          session_->Click(*form.UOCDRecheckButton);
        break;
      case StepKind::kClickNext:
        session_->Click(*form.NextButton);
        break;
      case StepKind::kClickFinish:
        session_->Click(*form.FinishButton);
        break;
      case StepKind::kTab:
        Press(Key::kTab);
        break;
      case StepKind::kShiftTab:
        Press(Key::kTab, widgets::kShift);
        break;
      case StepKind::kCtrlTab:
        Press(Key::kTab, widgets::kCtrl);
        break;
      case StepKind::kLeft:
      case StepKind::kRight:
        if (!Press(step.kind == StepKind::kLeft ? Key::kLeft : Key::kRight) && edit != nullptr) {
          MoveCaret(*edit, step.kind == StepKind::kRight);
        }
        break;
      case StepKind::kUp:
        Press(Key::kUp);
        break;
      case StepKind::kDown:
        Press(Key::kDown);
        break;
      case StepKind::kHome:
      case StepKind::kEnd:
        if (!Press(Key::kOther) && edit != nullptr) {
          edit->Select(step.kind == StepKind::kHome ? 0 : edit->Text().size(), 0);
        }
        break;
      case StepKind::kEnter:
        Press(Key::kEnter);
        break;
      case StepKind::kEscape:
        Press(Key::kEscape);
        break;
    }
  }

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
  widgets::Edit* VisibleEdit() {
    TSQPMainForm& form = session_->Form();
    return form.UOClientPathEdit->Showing() ? form.UOClientPathEdit
           : form.UOCDPathEdit->Showing()   ? form.UOCDPathEdit
                                            : nullptr;
  }

  widgets::Edit* FocusedEdit() {
    widgets::Control* focused = session_->Form().Focused();
    return focused != nullptr && focused->Kind() == widgets::ControlKind::kEdit
               ? static_cast<widgets::Edit*>(focused)
               : nullptr;
  }

  // Answers whether the focus rules took the key; one that they leave goes
  // to the focused control.
  bool Press(Key key, widgets::Modifiers modifiers = widgets::kNoModifier) {
    bool taken = false;
    session_->App().Dispatch([&] { taken = session_->Form().KeyDown(key, modifiers); });
    return taken;
  }

  // What a native single-line edit does with Left and Right: a selection
  // collapses to its near end, else the caret moves by one character.
  static void MoveCaret(widgets::Edit& edit, bool forward) {
    const std::size_t start = edit.SelectionStart();
    const std::size_t length = edit.SelectionLength();
    if (length > 0) {
      edit.Select(forward ? start + length : start, 0);
    } else if (forward) {
      edit.Select(start + 1, 0);
    } else if (start > 0) {
      edit.Select(start - 1, 0);
    }
  }

  std::unique_ptr<testing::WizardSession> session_;
};

}  // namespace

std::unique_ptr<WizardDriver> MakeHeadlessDriver() { return std::make_unique<HeadlessDriver>(); }

}  // namespace sqp::sessions
