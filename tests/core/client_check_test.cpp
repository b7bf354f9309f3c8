// Page 0: the installed client folder, checked on every change of the field
// and on "Test again".
#include <gtest/gtest.h>

#include "support/check_counter.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

class ClientCheck : public ::testing::Test {
 protected:
  ClientCheck() { MakeMapFiles(tree_, "UO"); }

  std::vector<LabelLook> Results() { return ClientResults(run_.Form()); }

  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
  widgets::Edit& edit_ = *run_.Form().UOClientPathEdit;
};

const LabelLook kWriteable = Green("Found and writeable!");
const LabelLook kReadOnly = Red("Found, but readonly!");
const LabelLook kMissing = Red("Not found!");

TEST_F(ClientCheck, TypingEnablesNextAtTheKeyThatCompletesThePath) {
  const std::string folder = tree_.Path("UO");
  run_.FocusByMouse(edit_);
  for (std::size_t typed = 1; typed <= folder.size(); ++typed) {
    run_.Type(edit_, folder.substr(typed - 1, 1));
    ASSERT_EQ(run_.NextEnabled(), typed == folder.size())
        << "after typing " << folder.substr(0, typed);
  }
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kWriteable, kWriteable, kWriteable}));
  // A trailing separator, blanks around it: the same folder.
  run_.Type(edit_, Separator());
  EXPECT_TRUE(run_.NextEnabled());
  run_.Type(edit_, Separator() + "  ");
  EXPECT_TRUE(run_.NextEnabled());
  // A key that spoils it disables Next at once.
  run_.Type(edit_, "x");
  EXPECT_FALSE(run_.NextEnabled());
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kMissing, kMissing, kMissing}));
  run_.Backspace(edit_);
  EXPECT_TRUE(run_.NextEnabled());
  run_.Backspace(edit_, 4);
  run_.Backspace(edit_);
  EXPECT_FALSE(run_.NextEnabled());
}

TEST_F(ClientCheck, PastingAPathChecksIt) {
  run_.FocusByMouse(edit_);
  run_.Paste(edit_, "  " + tree_.Path("UO") + "\t");
  EXPECT_TRUE(run_.NextEnabled());
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kWriteable, kWriteable, kWriteable}));
}

TEST_F(ClientCheck, AReadOnlyFileTurnsItsRowRedAndStopsTheWizard) {
  SetReadOnly(tree_.Path("UO/StaIdx0.mul"));
  SetReadOnly(tree_.Path("UO/Map0.mul"));
  run_.TypeOver(edit_, tree_.Path("UO") + Separator());
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kReadOnly, kWriteable, kReadOnly}));
  EXPECT_FALSE(run_.Unit().UOClientFilesOk);
  EXPECT_FALSE(run_.NextEnabled());
}

TEST_F(ClientCheck, EveryRowIsProbedWhateverTheOthersGave) {
  tree_.File("partial/Statics0.mul");
  tree_.Folder("partial/Map0.mul");  // a folder is not the file
  SetReadOnly(tree_.Path("partial/Statics0.mul"));
  run_.TypeOver(edit_, tree_.Path("partial"));
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kMissing, kReadOnly, kMissing}));
}

TEST_F(ClientCheck, TestAgainPicksUpChangesOnDisk) {
  run_.TypeOver(edit_, tree_.Path("UO"));
  ASSERT_TRUE(run_.NextEnabled());
  SetReadOnly(tree_.Path("UO/Map0.mul"));
  // Nothing has told the wizard yet: the label stays green.
  EXPECT_EQ(Results()[2], kWriteable);
  EXPECT_TRUE(run_.Click(*run_.Form().UOClientTestButton));
  EXPECT_EQ(Results()[2], kReadOnly);
  EXPECT_FALSE(run_.NextEnabled());
  SetReadOnly(tree_.Path("UO/Map0.mul"), false);
  EXPECT_TRUE(run_.Click(*run_.Form().UOClientTestButton));
  EXPECT_TRUE(run_.NextEnabled());
}

TEST_F(ClientCheck, NamesOnDiskMayDifferInCase) {
  tree_.File("wine/drive_c/uo/staidx0.mul");
  tree_.File("wine/drive_c/uo/STATICS0.MUL");
  tree_.File("wine/drive_c/uo/map0.mul");
  run_.TypeOver(edit_, tree_.Path("Wine/Drive_C/UO"));
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kWriteable, kWriteable, kWriteable}));
  EXPECT_TRUE(run_.NextEnabled());
}

TEST_F(ClientCheck, ClearingTheFieldChecksTheRootFolder) {
  run_.TypeOver(edit_, tree_.Path("UO"));
  ASSERT_TRUE(run_.NextEnabled());
  edit_.SelectAll();
  run_.Backspace(edit_);
  EXPECT_EQ(edit_.Text(), "");
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kMissing, kMissing, kMissing}));
  EXPECT_FALSE(run_.NextEnabled());
}

TEST_F(ClientCheck, OldFilesAndSpecialFilesCountAsFound) {
#ifdef _WIN32
  SetHidden(tree_.File("odd/StaIdx0.mul"));
  SetSystem(tree_.File("odd/Statics0.mul"));
#else
  tree_.Fifo("odd/StaIdx0.mul");
  tree_.Socket("odd/Statics0.mul");
#endif
  SetModificationTime(tree_.File("odd/Map0.mul"), 1979, 12, 31);
  run_.TypeOver(edit_, tree_.Path("odd"));
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kWriteable, kWriteable, kWriteable}));
  EXPECT_TRUE(run_.NextEnabled());
  EXPECT_TRUE(run_.View().boxes.empty());
}

TEST_F(ClientCheck, UndoAndCutRunTheCheckLikeTyping) {
  run_.TypeOver(edit_, tree_.Path("UO") + "x");
  EXPECT_FALSE(run_.NextEnabled());
  edit_.Select(edit_.Text().size() - 1, 1);
  EXPECT_EQ(run_.Cut(edit_), "x");
  EXPECT_TRUE(run_.NextEnabled());
  run_.Undo(edit_);
  EXPECT_FALSE(run_.NextEnabled());
  run_.Undo(edit_);
  EXPECT_TRUE(run_.NextEnabled());
}

TEST_F(ClientCheck, EachKeyThatChangesTheTextChecksOnce) {
  const CheckCounter counter(run_.Form(), &edit_);
  run_.FocusByMouse(edit_);
  run_.Type(edit_, "ab");
  run_.Backspace(edit_);
  run_.Paste(edit_, "/\xC3\xBC");
  run_.Backspace(edit_);  // the whole two-byte character
  edit_.Select(0, 0);
  run_.Backspace(edit_);  // nothing before the caret
  run_.Delete(edit_);
  edit_.Select(edit_.Text().size(), 0);
  run_.Delete(edit_);  // nothing after the caret
  run_.Paste(edit_, "");
  EXPECT_EQ(run_.Cut(edit_), "");
  edit_.SelectAll();
  EXPECT_EQ(run_.Cut(edit_), "/");
  run_.Undo(edit_);
  // A write by the program leaves nothing to undo.
  run_.App().Dispatch([&] { edit_.SetText("C:"); });
  run_.Undo(edit_);
  EXPECT_EQ(counter.checked,
            (std::vector<std::string>{"a", "ab", "a", "a/\xC3\xBC", "a/", "/", "", "/", "C:"}));
}

}  // namespace
}  // namespace sqp::testing
