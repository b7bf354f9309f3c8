#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sqpatch/sqpatch_program.h"
#include "support/recording_view.h"

namespace sqp::testing {

// What a label shows: its text and the colour it paints behind it (none
// while it paints in its parent's colour).
struct LabelLook {
  std::string text;
  std::optional<widgets::Color> color;
  bool operator==(const LabelLook&) const = default;
};
void PrintTo(const LabelLook& look, std::ostream* out);
LabelLook Look(const widgets::Label& label);
LabelLook Green(std::string text);
LabelLook Red(std::string text);

// The three result rows of a page, in the order the files are probed.
std::vector<LabelLook> ClientResults(const TSQPMainForm& form);
std::vector<LabelLook> CDResults(const TSQPMainForm& form);

// One run of the program, started with `arguments` the way a front end
// starts it (the window is shown, then activated), and driven as a user
// drives it: every key press and click is one event through the
// application's dispatch point.
class WizardSession {
 public:
  explicit WizardSession(std::vector<std::string> arguments);

  TSQPMainForm& Form() { return program_.SQPMainForm(); }
  Application& App() { return program_.App(); }
  const SQPMainUnit& Unit() const { return program_.Unit(); }
  RecordingView& View() { return view_; }

  // Clicks into the edit, selects all of its text and types over it, one
  // character per key press.
  void TypeOver(widgets::Edit& edit, std::string_view text);
  // Types at the caret, one character per key press.
  void Type(widgets::Edit& edit, std::string_view text);
  void Backspace(widgets::Edit& edit, int presses = 1);
  void Paste(widgets::Edit& edit, std::string_view clipboard);
  // Files and folders dragged from a file manager and dropped onto the edit;
  // false when the edit refused them.
  bool Drop(widgets::Edit& edit, const std::vector<std::string>& paths);
  // A mouse click; false when the button could not be pressed.
  bool Click(widgets::Button& button);
  void Press(widgets::Key key, widgets::Modifiers modifiers = widgets::kNoModifier);
  void FocusByMouse(widgets::Control& control);

  std::string Action() { return Form().ActionLabel->Text(); }
  bool NextEnabled() { return Form().NextButton->Enabled(); }
  bool FinishEnabled() { return Form().FinishButton->Enabled(); }
  int ActivePage() { return Form().PageControl->ActivePageIndex(); }
  std::string FocusedName();

 private:
  RecordingView view_;
  SQPatchProgram program_;
};

}  // namespace sqp::testing
