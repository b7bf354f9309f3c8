#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sqpatch/sqpatch_program.h"
#include "support/recording_view.h"
#include "support/user_step.h"

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
// application's dispatch point. The one headless driver of the wizard, for
// every suite, the fuzz targets and the benchmarks.
class WizardSession {
 public:
  explicit WizardSession(std::vector<std::string> arguments);
  // The checks' passes go to `runner`, from start-up on.
  WizardSession(std::vector<std::string> arguments, CheckRunner& runner);
  // The checks and folder questions on the program's own worker threads, as
  // both programs run them.
  struct OnWorkerThreads {};
  WizardSession(std::vector<std::string> arguments, OnWorkerThreads);

  TSQPMainForm& Form() { return program_.SQPMainForm(); }
  Application& App() { return program_.App(); }
  const SQPMainUnit& Unit() const { return program_.Unit(); }
  RecordingView& View() { return view_; }

  // The edit's native control at work: each key or command acts at the
  // edit's selection and hands the whole new text to the core through the
  // entry the views use for a user edit, one change each; one that changes
  // nothing raises nothing, as in a native control.
  //
  // Clicks into the edit, selects all of its text and types over it, one
  // character per key press.
  void TypeOver(widgets::Edit& edit, std::string_view text);
  // Types at the caret, one character per key press.
  void Type(widgets::Edit& edit, std::string_view text);
  void Backspace(widgets::Edit& edit, int presses = 1);
  void Delete(widgets::Edit& edit);
  void Paste(widgets::Edit& edit, std::string_view clipboard);
  // Returns what went to the clipboard.
  std::string Cut(widgets::Edit& edit);
  // One level, as a native edit keeps it: undoing twice restores the change.
  // Nothing to undo after the program wrote the text.
  void Undo(widgets::Edit& edit);
  // The whole new text at once, as a view hands in a drop, a taken list
  // entry or a value set by assistive technology.
  void ReplaceText(widgets::Edit& edit, std::string text);
  // Files and folders dragged from a file manager and dropped onto the edit;
  // false when the edit refused them.
  bool Drop(widgets::Edit& edit, const std::vector<std::string>& paths);
  // A mouse click; false when the button could not be pressed.
  bool Click(widgets::Button& button);
  // A key through the focus rules; one they leave goes to the focused edit,
  // which moves its caret on Left and Right. Answers whether the rules took it.
  bool Press(widgets::Key key, widgets::Modifiers modifiers = widgets::kNoModifier);
  void FocusByMouse(widgets::Control& control);
  // One of the user's acts of a random session, on the focused or the
  // visible folder field or the visible buttons.
  void Apply(const sessions::UserStep& step);

  std::string Action() { return Form().ActionLabel->Text(); }
  bool NextEnabled() { return Form().NextButton->Enabled(); }
  bool FinishEnabled() { return Form().FinishButton->Enabled(); }
  int ActivePage() { return Form().PageControl->ActivePageIndex(); }
  std::string FocusedName();
  widgets::Edit* FocusedEdit();
  widgets::Edit* VisibleEdit();

 private:
  // The whole new text, reported as the native control reports it, with
  // the caret where the native control keeps it.
  void UserEdit(widgets::Edit& edit, std::string text, std::size_t caret);

  struct UndoStep {
    std::string before;
    std::string after;
  };

  RecordingView view_;
  SQPatchProgram program_;
  std::map<const widgets::Edit*, UndoStep> undo_;
};

}  // namespace sqp::testing
