// Moving through the wizard with the mouse and the keyboard.
#include <gtest/gtest.h>

#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

using widgets::kCtrl;
using widgets::Key;
using widgets::kShift;

class Navigation : public ::testing::Test {
 protected:
  Navigation() {
    MakeMapFiles(tree_, "client");
    MakeMapFiles(tree_, "cd", 21971754);
  }
  TSQPMainForm& Form() { return run_.Form(); }

  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
};

TEST_F(Navigation, AWholeRunFromStartUpToTheLastPage) {
  EXPECT_EQ(run_.Action(), "Check current files");
  EXPECT_FALSE(run_.Click(*Form().NextButton));  // disabled: nothing happens
  EXPECT_EQ(run_.ActivePage(), 0);

  run_.FocusByMouse(*Form().UOClientPathEdit);
  run_.Type(*Form().UOClientPathEdit, tree_.Path("client"));
  ASSERT_TRUE(run_.NextEnabled());
  EXPECT_TRUE(run_.Click(*Form().NextButton));
  EXPECT_EQ(run_.ActivePage(), 1);
  EXPECT_EQ(run_.Action(), "Check for correct CD");
  // The start-up check on the empty folder decides page 1 at once.
  EXPECT_FALSE(run_.NextEnabled());
  EXPECT_EQ(run_.FocusedName(), "(none)");  // Next lost the focus as it was disabled

  run_.FocusByMouse(*Form().UOCDPathEdit);
  run_.Type(*Form().UOCDPathEdit, tree_.Path("cd"));
  EXPECT_EQ(Form().UOCDTypeResultLabel->Text(), "The Second Age");
  ASSERT_TRUE(run_.NextEnabled());
  EXPECT_TRUE(run_.Click(*Form().NextButton));
  EXPECT_EQ(run_.ActivePage(), 2);
  EXPECT_EQ(run_.Action(), "Apply the patch");
  EXPECT_FALSE(run_.NextEnabled());
  EXPECT_FALSE(run_.FinishEnabled());
  EXPECT_EQ(Form().ApplyTabSheet->Children().size(), 0u);
  EXPECT_EQ(Form()._ProgressBar->Position(), 0);

  // The last page is the end: the user can only close the window.
  EXPECT_FALSE(run_.Click(*Form().FinishButton));
  run_.App().CloseMainForm();
  EXPECT_EQ(run_.View().quit_requests, 1);
  EXPECT_TRUE(run_.View().boxes.empty());
  EXPECT_EQ(run_.App().ExitCode(), 0);
}

TEST_F(Navigation, NextOnAPageWhoseCheckPassedAtStartUpIsEnabledAtOnce) {
  WizardSession run({tree_.File("south.sq2"), tree_.Path("client"), tree_.Path("cd")});
  EXPECT_TRUE(run.Click(*run.Form().NextButton));
  EXPECT_EQ(run.Action(), "Check for correct CD");
  EXPECT_TRUE(run.NextEnabled());
  EXPECT_EQ(run.FocusedName(), "NextButton");
  EXPECT_TRUE(run.Click(*run.Form().NextButton));
  EXPECT_EQ(run.Action(), "Apply the patch");
}

TEST_F(Navigation, ThereIsNoWayBackAndALeftPageNoLongerChanges) {
  run_.TypeOver(*Form().UOClientPathEdit, tree_.Path("client"));
  run_.Click(*Form().NextButton);
  // Page 0's controls are hidden: neither the mouse nor the keys reach them.
  EXPECT_FALSE(run_.Click(*Form().UOClientTestButton));
  EXPECT_FALSE(Form().SetFocus(Form().UOClientPathEdit));
  // Ctrl+Tab finds no page with a visible tab.
  run_.FocusByMouse(*Form().PageControl);
  run_.Press(Key::kTab, kCtrl);
  run_.Press(Key::kTab, kCtrl | kShift);
  EXPECT_EQ(run_.ActivePage(), 1);
  EXPECT_EQ(run_.FocusedName(), "PageControl");
}

TEST_F(Navigation, TabVisitsThePageContainerThePageAndAnEnabledNext) {
  // The first activation focused the page container.
  EXPECT_EQ(run_.FocusedName(), "PageControl");
  std::vector<std::string> visited;
  for (int i = 0; i < 4; ++i) {
    run_.Press(Key::kTab);
    visited.push_back(run_.FocusedName());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"UOClientPathEdit", "UOClientTestButton",
                                               "PageControl", "UOClientPathEdit"}));
  // Entering the edit with Tab selects its whole text: typing replaces it.
  run_.Type(*Form().UOClientPathEdit, tree_.Path("client"));
  ASSERT_TRUE(run_.NextEnabled());
  visited.clear();
  for (int i = 0; i < 4; ++i) {
    run_.Press(Key::kTab);
    visited.push_back(run_.FocusedName());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"UOClientTestButton", "NextButton", "PageControl",
                                               "UOClientPathEdit"}));
  EXPECT_EQ(Form().UOClientPathEdit->SelectionStart(), 0u);
  EXPECT_EQ(Form().UOClientPathEdit->SelectionLength(), tree_.Path("client").size());
  run_.Press(Key::kTab, kShift);
  EXPECT_EQ(run_.FocusedName(), "PageControl");
  run_.Press(Key::kTab, kShift);
  EXPECT_EQ(run_.FocusedName(), "NextButton");
}

TEST_F(Navigation, EnterPressesOnlyAFocusedButtonWithoutModifiers) {
  run_.TypeOver(*Form().UOClientPathEdit, tree_.Path("client"));
  ASSERT_TRUE(run_.NextEnabled());
  // In the edit, Enter and Escape press nothing.
  run_.Press(Key::kEnter);
  run_.Press(Key::kEscape);
  EXPECT_EQ(run_.ActivePage(), 0);
  run_.FocusByMouse(*Form().NextButton);
  run_.Press(Key::kEnter, kShift);
  run_.Press(Key::kEnter, kCtrl);
  run_.Press(Key::kEnter, widgets::kAlt);
  run_.Press(Key::kEscape);
  EXPECT_EQ(run_.ActivePage(), 0);
  run_.Press(Key::kEnter);
  EXPECT_EQ(run_.ActivePage(), 1);
  // Next was disabled under the focus: no control keeps it, Tab starts over.
  EXPECT_EQ(run_.FocusedName(), "(none)");
  run_.Press(Key::kTab);
  EXPECT_EQ(run_.FocusedName(), "PageControl");
}

TEST_F(Navigation, EnterOnTestAgainRunsTheCheck) {
  run_.TypeOver(*Form().UOClientPathEdit, tree_.Path("client"));
  SetReadOnly(tree_.Path("client/StaIdx0.mul"));
  run_.Press(Key::kTab);
  ASSERT_EQ(run_.FocusedName(), "UOClientTestButton");
  run_.Press(Key::kEnter);
  EXPECT_EQ(Look(*Form().UOClientStaIdxResultLabel), Red("Found, but readonly!"));
  EXPECT_FALSE(run_.NextEnabled());
}

TEST_F(Navigation, ArrowKeysMoveAmongSiblingsThatAreNotTabStopsToo) {
  run_.TypeOver(*Form().UOClientPathEdit, tree_.Path("client"));
  // On the page: Left or Up from "Test again" reach the group box.
  run_.FocusByMouse(*Form().UOClientTestButton);
  run_.Press(Key::kLeft);
  EXPECT_EQ(run_.FocusedName(), "UOClientResultsGroupBox");
  run_.Press(Key::kRight);
  EXPECT_EQ(run_.FocusedName(), "UOClientTestButton");
  run_.Press(Key::kUp);
  EXPECT_EQ(run_.FocusedName(), "UOClientResultsGroupBox");
  run_.Press(Key::kUp);
  EXPECT_EQ(run_.FocusedName(), "UOClientPathEdit");
  // The edit keeps the arrow keys for its caret.
  run_.Press(Key::kDown);
  EXPECT_EQ(run_.FocusedName(), "UOClientPathEdit");
  // On the window: Right on Next skips the disabled Finish, then wraps.
  run_.FocusByMouse(*Form().NextButton);
  run_.Press(Key::kRight);
  EXPECT_EQ(run_.FocusedName(), "_ProgressBar");
  run_.Press(Key::kDown);
  EXPECT_EQ(run_.FocusedName(), "PageControl");
  // The page container keeps them too (it would switch tabs).
  run_.Press(Key::kLeft);
  EXPECT_EQ(run_.FocusedName(), "PageControl");
  run_.FocusByMouse(*Form()._ProgressBar);
  run_.Press(Key::kLeft);
  EXPECT_EQ(run_.FocusedName(), "NextButton");
}

TEST_F(Navigation, LabelsAndHiddenPagesNeverTakeTheFocus) {
  EXPECT_FALSE(Form().SetFocus(Form().ActionLabel));
  EXPECT_FALSE(Form().SetFocus(Form().UOClientStaIdxResultLabel));
  EXPECT_FALSE(Form().SetFocus(Form().UOCDPathEdit));
  EXPECT_FALSE(Form().SetFocus(Form().CheckHDTabSheet));
  EXPECT_FALSE(Form().SetFocus(Form().FinishButton));
  EXPECT_EQ(run_.FocusedName(), "PageControl");
}

TEST_F(Navigation, AKeyboardOnlyRun) {
  const auto type_folder = [&](const std::string& folder) {
    run_.Press(Key::kTab);  // into the page's edit, its text all selected
    run_.Type(*static_cast<widgets::Edit*>(Form().Focused()), folder);
  };
  type_folder(tree_.Path("client"));
  run_.Press(Key::kTab);
  run_.Press(Key::kTab);
  ASSERT_EQ(run_.FocusedName(), "NextButton");
  run_.Press(Key::kEnter);
  ASSERT_EQ(run_.Action(), "Check for correct CD");
  run_.Press(Key::kTab);  // Next lost the focus: Tab starts at the container
  ASSERT_EQ(run_.FocusedName(), "PageControl");
  type_folder(tree_.Path("cd"));
  run_.Press(Key::kTab, kShift);
  run_.Press(Key::kTab, kShift);
  ASSERT_EQ(run_.FocusedName(), "NextButton");
  run_.Press(Key::kEnter);
  EXPECT_EQ(run_.Action(), "Apply the patch");
}

}  // namespace
}  // namespace sqp::testing
