// Page 1: the folder with the original files, and the CD edition named by
// the size of its "Statics0.mul".
#include <gtest/gtest.h>

#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

class CDCheck : public ::testing::Test {
 protected:
  CDCheck() {
    MakeMapFiles(tree_, "client");
    run_.TypeOver(*run_.Form().UOClientPathEdit, tree_.Path("client"));
    run_.Click(*run_.Form().NextButton);
  }

  // A CD folder whose "Statics0.mul" has `size` bytes; its path.
  std::string CDFolder(std::uint64_t size) {
    const std::string name = "cd" + std::to_string(size);
    MakeMapFiles(tree_, name, size);
    return tree_.Path(name);
  }

  std::vector<LabelLook> Results() { return CDResults(run_.Form()); }
  LabelLook Edition() { return Look(*run_.Form().UOCDTypeResultLabel); }

  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
  widgets::Edit& edit_ = *run_.Form().UOCDPathEdit;
};

const LabelLook kFound = Green("Found!");
const LabelLook kMissing = Red("Not found!");
// The edition label never gets a colour of its own.
LabelLook EditionText(std::string text) { return {std::move(text), std::nullopt}; }

TEST_F(CDCheck, TheExactSizeNamesTheEdition) {
  ASSERT_EQ(run_.ActivePage(), 1);
  ASSERT_EQ(run_.Action(), "Check for correct CD");
  const std::vector<std::pair<std::uint64_t, std::string>> editions = {
      {21971754, "The Second Age"},
      {19171873, "Original (not T2A)"},
      {21971753, "Unknown"},
      {21971755, "Unknown"},
      {19171872, "Unknown"},
      {19171874, "Unknown"},
      {0, "Unknown"},
      {(std::uint64_t{1} << 32) + 21971754, "The Second Age"}};
  for (const auto& [size, edition] : editions) {
    run_.TypeOver(edit_, CDFolder(size));
    EXPECT_EQ(Results(), (std::vector<LabelLook>{kFound, kFound, kFound})) << size;
    EXPECT_EQ(Edition(), EditionText(edition)) << size;
    EXPECT_TRUE(run_.Unit().UOCDFilesOk) << size;
    EXPECT_TRUE(run_.NextEnabled()) << size;
  }
  EXPECT_TRUE(run_.View().boxes.empty());
}

TEST_F(CDCheck, AMissingFileMeansPathNotCorrect) {
  tree_.File("partial/Statics0.mul", 21971754);
  tree_.File("partial/Map0.mul");
  run_.TypeOver(edit_, tree_.Path("partial"));
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kMissing, kFound, kFound}));
  EXPECT_EQ(Edition(), EditionText("Path not correct!"));
  EXPECT_FALSE(run_.Unit().UOCDFilesOk);
  EXPECT_FALSE(run_.NextEnabled());
}

TEST_F(CDCheck, ReadOnlyFilesAreFoundAndMeasured) {
  // A CD, or a copy of one, is read-only through and through.
  const std::string folder = CDFolder(21971754);
  for (const char* file : {"/StaIdx0.mul", "/Statics0.mul", "/Map0.mul"}) {
    SetReadOnly(folder + file);
  }
  SetReadOnly(folder);
  run_.TypeOver(edit_, folder);
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kFound, kFound, kFound}));
  EXPECT_EQ(Edition(), EditionText("The Second Age"));
  EXPECT_TRUE(run_.NextEnabled());
  EXPECT_TRUE(run_.View().boxes.empty());
}

TEST_F(CDCheck, AFailedSizeProbeIsReportedAndLeavesNextAsItWas) {
  run_.TypeOver(edit_, CDFolder(19171873));
  ASSERT_EQ(Edition(), EditionText("Original (not T2A)"));
  tree_.File("socket/StaIdx0.mul");
  tree_.File("socket/Map0.mul");
  const UnmeasurableFile statics(tree_, "socket/Statics0.mul");
  // A folder that fails the check first, so that Next is disabled.
  run_.TypeOver(edit_, tree_.Path("nowhere"));
  ASSERT_FALSE(run_.NextEnabled());
  ASSERT_EQ(Edition(), EditionText("Path not correct!"));

  // One box per key press that reached a complete folder: only the last.
  run_.TypeOver(edit_, tree_.Path("socket"));
  EXPECT_EQ(run_.View().boxes, std::vector<ShownBox>{ReporterBox(statics.ReportText())});
  EXPECT_EQ(Results(), (std::vector<LabelLook>{kFound, kFound, kFound}));
  EXPECT_EQ(Edition(), EditionText("Path not correct!"));  // the last completed pass
  EXPECT_TRUE(run_.Unit().UOCDFilesOk);
  EXPECT_FALSE(run_.NextEnabled());  // not refreshed by the failed pass
  EXPECT_FALSE(run_.App().QuitPending());

  // "Test again" fails the same way; its own UpdateWizardState never runs.
  EXPECT_TRUE(run_.Click(*run_.Form().UOCDRecheckButton));
  EXPECT_EQ(run_.View().boxes.size(), 2u);
  EXPECT_FALSE(run_.NextEnabled());

  // The next completed pass brings Next in line again.
  run_.Type(edit_, Separator());
  EXPECT_EQ(run_.View().boxes.size(), 3u);
  run_.TypeOver(edit_, CDFolder(21971754));
  EXPECT_TRUE(run_.NextEnabled());
}

#ifndef _WIN32
TEST_F(CDCheck, AFifoNamedStaticsIsMeasuredWithoutWaiting) {
  tree_.File("fifo/StaIdx0.mul");
  tree_.File("fifo/Map0.mul");
  tree_.Fifo("fifo/Statics0.mul");
  run_.TypeOver(edit_, tree_.Path("fifo"));
  EXPECT_EQ(Edition(), EditionText("Unknown"));
  EXPECT_TRUE(run_.View().boxes.empty());
}
#endif

TEST_F(CDCheck, TestAgainRemeasuresTheFile) {
  const std::string folder = CDFolder(21971754);
  run_.TypeOver(edit_, folder);
  ASSERT_EQ(Edition(), EditionText("The Second Age"));
  tree_.File("cd21971754/Statics0.mul", 19171873);
  EXPECT_EQ(Edition(), EditionText("The Second Age"));
  EXPECT_TRUE(run_.Click(*run_.Form().UOCDRecheckButton));
  EXPECT_EQ(Edition(), EditionText("Original (not T2A)"));
  RemoveFile(tree_.Path("cd21971754/Map0.mul"));
  EXPECT_TRUE(run_.Click(*run_.Form().UOCDRecheckButton));
  EXPECT_EQ(Results()[2], kMissing);
  EXPECT_EQ(Edition(), EditionText("Path not correct!"));
  EXPECT_FALSE(run_.NextEnabled());
}

TEST_F(CDCheck, TypingMeasuresAtEveryKeyWhereAllFilesArePresent) {
  const std::string folder = CDFolder(21971754);
  run_.TypeOver(edit_, folder);
  run_.Type(edit_, Separator() + Separator() + Separator());
  EXPECT_EQ(Edition(), EditionText("The Second Age"));
  run_.Type(edit_, "x");
  EXPECT_EQ(Edition(), EditionText("Path not correct!"));
  run_.Backspace(edit_);
  EXPECT_EQ(Edition(), EditionText("The Second Age"));
}

}  // namespace
}  // namespace sqp::testing
