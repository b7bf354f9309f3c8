// Starting the program: the command line, the patch file tests and the
// start-up checks, before the user touches anything.
#include <gtest/gtest.h>

#include <filesystem>

#include "cmdline/windows_command_line.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

using Boxes = std::vector<ShownBox>;

class Startup : public ::testing::Test {
 protected:
  TempTree tree_;
  std::string patch_ = tree_.File("patches/north.sq2", 12);
};

// A run refused at start-up ends with status 1 and leaves the folder fields
// and results as they were laid out.
void ExpectRefusedBeforeAnyCheck(WizardSession& run) {
  TSQPMainForm& form = run.Form();
  EXPECT_EQ(run.App().ExitCode(), 1);
  EXPECT_TRUE(run.App().QuitPending());
  EXPECT_EQ(form.UOClientPathEdit->Text(), "UOClientPathEdit");
  EXPECT_EQ(form.UOCDPathEdit->Text(), "UOCDPathEdit");
  EXPECT_EQ(Look(*form.UOClientStaIdxResultLabel), (LabelLook{"UOClientStaIdxResultLabel", {}}));
  EXPECT_EQ(Look(*form.UOCDTypeResultLabel), (LabelLook{"UOCDTypeResultLabel", {}}));
  EXPECT_EQ(run.Unit().PatchFilePath, "");
}

TEST_F(Startup, WithoutArgumentsShowsTheUsageThenClosesTheOtherBoxesAtOnce) {
  WizardSession run({});
  EXPECT_EQ(run.View().boxes,
            (Boxes{ErrorBox("Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]", true),
                   ErrorBox(" does not exist!", false), ErrorBox(" is not a .sq2 file!", false)}));
  ExpectRefusedBeforeAnyCheck(run);
  // The window still opens on page 0, for the instant before the quit.
  EXPECT_EQ(run.Action(), "Check current files");
  EXPECT_FALSE(run.NextEnabled());
}

TEST_F(Startup, TwoOrFourArgumentsAreRefusedLikeNone) {
  const std::string client = tree_.Folder("client");
  const std::vector<std::vector<std::string>> refused = {
      {patch_, client}, {patch_, client, client, client}, {patch_, client, client, client, "x"}};
  for (const auto& arguments : refused) {
    WizardSession run(arguments);
    ASSERT_EQ(run.View().boxes.size(), 3u);
    EXPECT_EQ(run.View().boxes[0],
              ErrorBox("Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]", true));
    EXPECT_FALSE(run.View().boxes[1].waited);
    ExpectRefusedBeforeAnyCheck(run);
  }
}

TEST_F(Startup, OnePatchFileRunsBothChecksOnEmptyFoldersAndOpensPageZero) {
  const std::string upper = tree_.File("patches/SOUTH.SQ2");
  WizardSession run({upper});
  TSQPMainForm& form = run.Form();
  EXPECT_TRUE(run.View().boxes.empty());
  EXPECT_EQ(run.View().quit_requests, 0);
  EXPECT_EQ(run.App().ExitCode(), 0);
  EXPECT_EQ(run.Unit().PatchFilePath, upper);
  EXPECT_EQ(form.UOClientPathEdit->Text(), "");
  EXPECT_EQ(form.UOCDPathEdit->Text(), "");
  // The empty folder names the root folder, which holds no client.
  EXPECT_EQ(Look(*form.UOClientStaIdxResultLabel), Red("Not found!"));
  EXPECT_EQ(Look(*form.UOClientMapResultLabel), Red("Not found!"));
  EXPECT_EQ(Look(*form.UOCDStaticsResultLabel), Red("Not found!"));
  EXPECT_EQ(Look(*form.UOCDTypeResultLabel), (LabelLook{"Path not correct!", {}}));
  EXPECT_EQ(run.ActivePage(), 0);
  EXPECT_EQ(run.Action(), "Check current files");
  EXPECT_FALSE(run.NextEnabled());
  EXPECT_FALSE(run.FinishEnabled());
}

TEST_F(Startup, ThreeArgumentsCheckBothFoldersBeforeTheWindowShows) {
  MakeMapFiles(tree_, "client");
  MakeMapFiles(tree_, "cd", 21971754);
  WizardSession run({patch_, tree_.Path("client"), tree_.Path("cd") + Separator()});
  TSQPMainForm& form = run.Form();
  EXPECT_TRUE(run.View().boxes.empty());
  EXPECT_EQ(form.UOClientPathEdit->Text(), tree_.Path("client"));
  EXPECT_EQ(form.UOCDPathEdit->Text(), tree_.Path("cd") + Separator());  // unchanged in the field
  EXPECT_EQ(Look(*form.UOClientStaticsResultLabel), Green("Found and writeable!"));
  EXPECT_EQ(Look(*form.UOCDStaIdxResultLabel), Green("Found!"));
  EXPECT_EQ(form.UOCDTypeResultLabel->Text(), "The Second Age");
  EXPECT_TRUE(run.Unit().UOClientFilesOk);
  EXPECT_TRUE(run.Unit().UOCDFilesOk);
  EXPECT_EQ(run.Action(), "Check current files");
  EXPECT_TRUE(run.NextEnabled());
}

TEST_F(Startup, TheChecksRunWhileTheLastPageIsStillActive) {
  // Record what ActionLabel and Next went through during start-up.
  struct Recorder : widgets::ControlObserver {
    void ControlChanged(widgets::Control& control, widgets::Change change) override {
      if (control.Name() == "ActionLabel" && change == widgets::Change::kText) {
        actions.push_back(control.Text());
      }
    }
    std::vector<std::string> actions;
  } recorder;
  RecordingView view;
  SQPatchProgram program(view, {patch_});
  program.SQPMainForm().AddObserver(&recorder);
  EXPECT_EQ(program.SQPMainForm().ActionLabel->Text(), "ActionLabel");
  EXPECT_TRUE(program.SQPMainForm().NextButton->Enabled());
  EXPECT_TRUE(program.SQPMainForm().FinishButton->Enabled());
  EXPECT_EQ(program.SQPMainForm().PageControl->ActivePage(), program.SQPMainForm().ApplyTabSheet);
  program.App().ShowMainForm();
  EXPECT_EQ(recorder.actions, (std::vector<std::string>{"Apply the patch", "Check current files"}));
  program.SQPMainForm().RemoveObserver(&recorder);
}

TEST_F(Startup, AWrongExtensionIsRefused) {
  const std::string backup = tree_.File("patches/north.sq2.bak");
  WizardSession run({backup});
  EXPECT_EQ(run.View().boxes, (Boxes{ErrorBox(backup + " is not a .sq2 file!", true)}));
  EXPECT_EQ(run.App().ExitCode(), 1);
  EXPECT_EQ(run.View().quit_requests, 1);
  // The checks ran all the same.
  EXPECT_EQ(run.Form().UOClientPathEdit->Text(), "");
}

TEST_F(Startup, ADotInAFolderNameIsNoExtension) {
  const std::string inside = tree_.File("x.sq2/patch");
  WizardSession run({inside});
  EXPECT_EQ(run.View().boxes, (Boxes{ErrorBox(inside + " is not a .sq2 file!", true)}));
}

TEST_F(Startup, AFolderNamedLikeAPatchFileDoesNotExist) {
  const std::string folder = tree_.Folder("folder.sq2");
  WizardSession run({folder});
  EXPECT_EQ(run.View().boxes, (Boxes{ErrorBox(folder + " does not exist!", true)}));
  EXPECT_EQ(run.App().ExitCode(), 1);
}

TEST_F(Startup, AMissingFileWithAnotherExtensionGetsBothBoxes) {
  const std::string missing = tree_.Path("patches/gone.txt");
  WizardSession run({missing});
  EXPECT_EQ(run.View().boxes, (Boxes{ErrorBox(missing + " does not exist!", true),
                                     ErrorBox(missing + " is not a .sq2 file!", false)}));
}

TEST_F(Startup, AWildcardPatchNameCountsWhenItsFirstMatchIsAFile) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(tree_.Path("patches"));
  WizardSession run({"*.sq2"});
  std::filesystem::current_path(previous);
  EXPECT_TRUE(run.View().boxes.empty());
  EXPECT_EQ(run.Unit().PatchFilePath, "*.sq2");
}

TEST_F(Startup, AFolderArgumentEqualToItsLayoutTextRunsNoCheck) {
  MakeMapFiles(tree_, "cd", 19171873);
  WizardSession run({patch_, "UOClientPathEdit", tree_.Path("cd")});
  TSQPMainForm& form = run.Form();
  EXPECT_EQ(Look(*form.UOClientStaIdxResultLabel), (LabelLook{"UOClientStaIdxResultLabel", {}}));
  EXPECT_EQ(Look(*form.UOClientMapResultLabel), (LabelLook{"UOClientMapResultLabel", {}}));
  EXPECT_FALSE(run.Unit().UOClientFilesOk);
  EXPECT_EQ(form.UOCDTypeResultLabel->Text(), "Original (not T2A)");
  EXPECT_FALSE(run.NextEnabled());
  // "Test again" runs it on the unchanged text.
  EXPECT_TRUE(run.Click(*form.UOClientTestButton));
  EXPECT_EQ(Look(*form.UOClientStaIdxResultLabel), Red("Not found!"));

  WizardSession cd_run({patch_, tree_.Path("cd"), "UOCDPathEdit"});
  EXPECT_EQ(cd_run.Form().UOCDTypeResultLabel->Text(), "UOCDTypeResultLabel");
  EXPECT_FALSE(cd_run.Unit().UOCDFilesOk);
}

TEST_F(Startup, AFailedSizeProbeIsReportedAndStartUpGoesOn) {
  MakeMapFiles(tree_, "client");
  tree_.File("cd/StaIdx0.mul");
  tree_.File("cd/Map0.mul");
  const UnmeasurableFile statics(tree_, "cd/Statics0.mul");
  const std::string missing_patch = tree_.Path("patches/gone.sq2");
  WizardSession run({missing_patch, tree_.Path("client"), tree_.Path("cd")});
  TSQPMainForm& form = run.Form();
  // The failure first, then the patch file is still tested.
  EXPECT_EQ(run.View().boxes, (Boxes{ReporterBox(statics.ReportText()),
                                     ErrorBox(missing_patch + " does not exist!", true)}));
  EXPECT_EQ(Look(*form.UOCDStaticsResultLabel), Green("Found!"));
  EXPECT_EQ(form.UOCDTypeResultLabel->Text(), "UOCDTypeResultLabel");
  EXPECT_EQ(run.ActivePage(), 0);
  EXPECT_EQ(run.Action(), "Check current files");
  EXPECT_TRUE(run.NextEnabled());
  EXPECT_EQ(run.App().ExitCode(), 1);
}

TEST_F(Startup, PatchNamesWithBlanksAndQuotesFromTheWindowsLine) {
  const std::string spaced = tree_.File("my patches/north sea.sq2");
  const std::string line = "\"C:\\sq\\sqpatch.exe\" \"" + spaced + "\" \"\" \"\"";
  WizardSession run(
      ArgumentsFromWords(SplitWindowsCommandLine(line, [](unsigned char) { return false; })));
  EXPECT_TRUE(run.View().boxes.empty());
  EXPECT_EQ(run.Unit().PatchFilePath, spaced);
}

}  // namespace
}  // namespace sqp::testing
