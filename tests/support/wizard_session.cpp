#include "support/wizard_session.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <system_error>

#include "sqpmain/folder_drop.h"

namespace sqp::testing {

namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t NextCharStart(std::string_view text, std::size_t pos) {
  ++pos;
  while (pos < text.size() && IsUtf8Continuation(text[pos])) ++pos;
  return pos;
}

bool IsFolderOnDisk(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(std::u8string(path.begin(), path.end()), error);
}

}  // namespace

void PrintTo(const LabelLook& look, std::ostream* out) {
  *out << "\"" << look.text << "\" on ";
  if (look.color) {
    *out << "0x" << std::hex << std::setw(6) << std::setfill('0') << *look.color << std::dec;
  } else {
    *out << "the parent's colour";
  }
}

LabelLook Look(const widgets::Label& label) { return {label.Text(), label.OwnColor()}; }
LabelLook Green(std::string text) { return {std::move(text), widgets::kGreen}; }
LabelLook Red(std::string text) { return {std::move(text), widgets::kRed}; }

std::vector<LabelLook> ClientResults(const TSQPMainForm& form) {
  return {Look(*form.UOClientStaIdxResultLabel), Look(*form.UOClientStaticsResultLabel),
          Look(*form.UOClientMapResultLabel)};
}

std::vector<LabelLook> CDResults(const TSQPMainForm& form) {
  return {Look(*form.UOCDStaIdxResultLabel), Look(*form.UOCDStaticsResultLabel),
          Look(*form.UOCDMapResultLabel)};
}

WizardSession::WizardSession(std::vector<std::string> arguments)
    : program_(view_, std::move(arguments)) {
  App().ShowMainForm();
  Form().Activate();
}

WizardSession::WizardSession(std::vector<std::string> arguments, CheckRunner& runner)
    : program_(view_, std::move(arguments)) {
  Form().SetCheckRunner(runner);
  App().ShowMainForm();
  Form().Activate();
}

WizardSession::WizardSession(std::vector<std::string> arguments, OnWorkerThreads)
    : program_(view_, std::move(arguments)) {
  program_.AskOffWindowThread();
  App().ShowMainForm();
  Form().Activate();
}

void WizardSession::TypeOver(widgets::Edit& edit, std::string_view text) {
  FocusByMouse(edit);
  edit.SelectAll();
  Type(edit, text);
}

void WizardSession::Type(widgets::Edit& edit, std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = NextCharStart(text, pos);
    Paste(edit, text.substr(pos, end - pos));
    pos = end;
  }
}

void WizardSession::Paste(widgets::Edit& edit, std::string_view clipboard) {
  if (clipboard.empty() && edit.SelectionLength() == 0) return;
  std::string text = edit.Text();
  text.replace(edit.SelectionStart(), edit.SelectionLength(), clipboard);
  UserEdit(edit, std::move(text), edit.SelectionStart() + clipboard.size());
}

void WizardSession::Backspace(widgets::Edit& edit, int presses) {
  for (int i = 0; i < presses; ++i) {
    if (edit.SelectionLength() > 0) {
      Paste(edit, {});
      continue;
    }
    const std::size_t caret = edit.SelectionStart();
    if (caret == 0) continue;
    std::size_t from = caret - 1;
    while (from > 0 && IsUtf8Continuation(edit.Text()[from])) --from;
    std::string text = edit.Text();
    text.erase(from, caret - from);
    UserEdit(edit, std::move(text), from);
  }
}

void WizardSession::Delete(widgets::Edit& edit) {
  if (edit.SelectionLength() > 0) return Paste(edit, {});
  const std::size_t caret = edit.SelectionStart();
  if (caret >= edit.Text().size()) return;
  std::string text = edit.Text();
  text.erase(caret, NextCharStart(text, caret) - caret);
  UserEdit(edit, std::move(text), caret);
}

std::string WizardSession::Cut(widgets::Edit& edit) {
  std::string cut = edit.Text().substr(edit.SelectionStart(), edit.SelectionLength());
  if (!cut.empty()) Paste(edit, {});
  return cut;
}

void WizardSession::Undo(widgets::Edit& edit) {
  const auto step = undo_.find(&edit);
  if (step == undo_.end() || step->second.after != edit.Text()) return;
  std::string before = step->second.before;
  const std::size_t caret = before.size();
  UserEdit(edit, std::move(before), caret);
}

void WizardSession::UserEdit(widgets::Edit& edit, std::string text, std::size_t caret) {
  undo_[&edit] = {edit.Text(), text};
  App().Dispatch([&] { edit.UserReplaceText(std::move(text)); });
  edit.Select(caret, 0);
}

void WizardSession::ReplaceText(widgets::Edit& edit, std::string text) {
  const std::size_t caret = text.size();
  UserEdit(edit, std::move(text), caret);
}

bool WizardSession::Drop(widgets::Edit& edit, const std::vector<std::string>& paths) {
  FolderField* field = Form().FolderFieldOf(&edit);
  std::optional<std::string> folder =
      field != nullptr ? field->FolderForDrop(paths, &IsFolderOnDisk) : std::nullopt;
  if (!folder) return false;
  ReplaceText(edit, std::move(*folder));
  return true;
}

bool WizardSession::Click(widgets::Button& button) {
  // Asked before the press: a handler that fails ends the press early.
  if (!button.CanFocus()) return false;
  App().Dispatch([&] { button.UserClick(); });
  return true;
}

bool WizardSession::Press(widgets::Key key, widgets::Modifiers modifiers) {
  bool taken = false;
  App().Dispatch([&] { taken = Form().KeyDown(key, modifiers); });
  widgets::Edit* edit = FocusedEdit();
  if (taken || edit == nullptr || (key != widgets::Key::kLeft && key != widgets::Key::kRight)) {
    return taken;
  }
  // A native single-line edit: a selection collapses to its near end, else
  // the caret moves by one character.
  const std::size_t start = edit->SelectionStart();
  const std::size_t length = edit->SelectionLength();
  if (length > 0) {
    edit->Select(key == widgets::Key::kRight ? start + length : start, 0);
  } else if (key == widgets::Key::kRight) {
    edit->Select(start + 1, 0);
  } else if (start > 0) {
    edit->Select(start - 1, 0);
  }
  return false;
}

void WizardSession::FocusByMouse(widgets::Control& control) { Form().SetFocus(&control); }

std::string WizardSession::FocusedName() {
  return Form().Focused() != nullptr ? Form().Focused()->Name() : "(none)";
}

widgets::Edit* WizardSession::FocusedEdit() {
  widgets::Control* focused = Form().Focused();
  return focused != nullptr && focused->Kind() == widgets::ControlKind::kEdit
             ? static_cast<widgets::Edit*>(focused)
             : nullptr;
}

widgets::Edit* WizardSession::VisibleEdit() {
  for (widgets::Edit* edit : {Form().UOClientPathEdit, Form().UOCDPathEdit}) {
    if (edit->Showing()) return edit;
  }
  return nullptr;
}

void WizardSession::Apply(const sessions::UserStep& step) {
  using sessions::StepKind;
  using widgets::Key;
  widgets::Edit* edit = FocusedEdit();
  widgets::Edit* visible = VisibleEdit();
  switch (step.kind) {
    case StepKind::kType:
      if (edit != nullptr) Type(*edit, step.text);
      break;
    case StepKind::kBackspace:
      if (edit != nullptr) Backspace(*edit);
      break;
    case StepKind::kDelete:
      if (edit != nullptr) Delete(*edit);
      break;
    case StepKind::kSelectAll:
      if (edit != nullptr) edit->SelectAll();
      break;
    case StepKind::kPaste:
      if (edit != nullptr) Paste(*edit, step.text);
      break;
    case StepKind::kUndo:
      if (edit != nullptr) Undo(*edit);
      break;
    case StepKind::kClickEdit:
      if (visible == nullptr) break;
      FocusByMouse(*visible);
      visible->Select(visible->Text().size(), 0);
      break;
    case StepKind::kDrop:
      if (visible != nullptr) {
        std::vector<std::string> items;
        for (std::size_t pos = 0; pos <= step.text.size();) {
          const std::size_t end = std::min(step.text.find('\n', pos), step.text.size());
          items.push_back(step.text.substr(pos, end - pos));
          pos = end + 1;
        }
        Drop(*visible, items);
      }
      break;
    case StepKind::kClickTest:
      for (widgets::Button* test : {Form().UOClientTestButton, Form().UOCDRecheckButton}) {
        if (test->Showing()) Click(*test);
      }
      break;
    case StepKind::kClickNext:
      Click(*Form().NextButton);
      break;
    case StepKind::kClickFinish:
      Click(*Form().FinishButton);
      break;
    case StepKind::kHome:
    case StepKind::kEnd:
      // Keys the focus rules leave to the edit's caret.
      if (!Press(Key::kOther) && edit != nullptr) {
        edit->Select(step.kind == StepKind::kHome ? 0 : edit->Text().size(), 0);
      }
      break;
    default: {
      // The rest are one key each.
      static const std::map<StepKind, std::pair<Key, widgets::Modifiers>> kKeys = {
          {StepKind::kTab, {Key::kTab, widgets::kNoModifier}},
          {StepKind::kShiftTab, {Key::kTab, widgets::kShift}},
          {StepKind::kCtrlTab, {Key::kTab, widgets::kCtrl}},
          {StepKind::kLeft, {Key::kLeft, widgets::kNoModifier}},
          {StepKind::kRight, {Key::kRight, widgets::kNoModifier}},
          {StepKind::kUp, {Key::kUp, widgets::kNoModifier}},
          {StepKind::kDown, {Key::kDown, widgets::kNoModifier}},
          {StepKind::kEnter, {Key::kEnter, widgets::kNoModifier}},
          {StepKind::kEscape, {Key::kEscape, widgets::kNoModifier}},
      };
      const auto& [key, modifiers] = kKeys.at(step.kind);
      Press(key, modifiers);
      break;
    }
  }
}

}  // namespace sqp::testing
