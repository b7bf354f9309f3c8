#include "support/wizard_session.h"

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

bool WizardSession::Drop(widgets::Edit& edit, const std::vector<std::string>& paths) {
  // As the views take it: the user's own edit of the whole text.
  FolderField* field = Form().FolderFieldOf(&edit);
  std::optional<std::string> folder =
      field != nullptr ? field->FolderForDrop(paths, &IsFolderOnDisk) : std::nullopt;
  if (!folder) return false;
  const std::size_t caret = folder->size();
  UserEdit(edit, std::move(*folder), caret);
  return true;
}

bool WizardSession::Click(widgets::Button& button) {
  // Asked before the press: a handler that fails ends the press early.
  if (!button.CanFocus()) return false;
  App().Dispatch([&] { button.UserClick(); });
  return true;
}

void WizardSession::Press(widgets::Key key, widgets::Modifiers modifiers) {
  App().Dispatch([&] { Form().KeyDown(key, modifiers); });
}

void WizardSession::FocusByMouse(widgets::Control& control) { Form().SetFocus(&control); }

std::string WizardSession::FocusedName() {
  return Form().Focused() != nullptr ? Form().Focused()->Name() : "(none)";
}

}  // namespace sqp::testing
