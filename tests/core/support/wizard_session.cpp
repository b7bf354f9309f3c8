#include "support/wizard_session.h"

#include <filesystem>
#include <iomanip>
#include <system_error>

#include "sqpmain/folder_drop.h"

namespace sqp::testing {

namespace {

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
    std::size_t end = pos + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    const std::string_view key = text.substr(pos, end - pos);
    App().Dispatch([&] { edit.UserTypeText(key); });
    pos = end;
  }
}

void WizardSession::Backspace(widgets::Edit& edit, int presses) {
  for (int i = 0; i < presses; ++i) App().Dispatch([&] { edit.UserBackspace(); });
}

void WizardSession::Paste(widgets::Edit& edit, std::string_view clipboard) {
  App().Dispatch([&] { edit.UserPaste(clipboard); });
}

bool WizardSession::Drop(widgets::Edit& edit, const std::vector<std::string>& paths) {
  bool taken = false;
  App().Dispatch([&] { taken = DropOnField(edit, paths, &IsFolderOnDisk); });
  return taken;
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
