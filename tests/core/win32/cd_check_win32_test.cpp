// Page 1 on Windows: the files of a real CD carry the read-only attribute.
#include <gtest/gtest.h>

#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

class CDCheckWin32 : public ::testing::Test {
 protected:
  CDCheckWin32() {
    MakeMapFiles(tree_, "client");
    run_.TypeOver(*run_.Form().UOClientPathEdit, tree_.Path("client"));
    run_.Click(*run_.Form().NextButton);
  }

  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
  widgets::Edit& edit_ = *run_.Form().UOCDPathEdit;
};

TEST_F(CDCheckWin32, ReadOnlyFilesAreFoundAndMeasured) {
  MakeMapFiles(tree_, "cd", 19171873);
  for (const char* file : {"cd/StaIdx0.mul", "cd/Statics0.mul", "cd/Map0.mul"}) {
    SetReadOnly(tree_.Path(file));
  }
  SetReadOnly(tree_.Path("cd"));
  run_.TypeOver(edit_, tree_.Path("cd"));
  const TSQPMainForm& form = run_.Form();
  EXPECT_EQ(Look(*form.UOCDStaIdxResultLabel), Green("Found!"));
  EXPECT_EQ(Look(*form.UOCDStaticsResultLabel), Green("Found!"));
  EXPECT_EQ(Look(*form.UOCDMapResultLabel), Green("Found!"));
  EXPECT_EQ(Look(*form.UOCDTypeResultLabel), (LabelLook{"Original (not T2A)", std::nullopt}));
  EXPECT_TRUE(run_.NextEnabled());
  EXPECT_TRUE(run_.View().boxes.empty());
}

TEST_F(CDCheckWin32, AStaticsHeldWithoutSharingIsReportedWithCode32) {
  tree_.File("cd/StaIdx0.mul");
  tree_.File("cd/Map0.mul");
  const UnmeasurableFile statics(tree_, "cd/Statics0.mul");
  run_.TypeOver(edit_, tree_.Path("cd"));
  // One box per key press that reached a complete folder: only the last.
  EXPECT_EQ(run_.View().boxes, std::vector<ShownBox>{ReporterBox("E/A-Fehler 32.")});
  EXPECT_EQ(Look(*run_.Form().UOCDStaticsResultLabel), Green("Found!"));
  EXPECT_FALSE(run_.NextEnabled());
}

}  // namespace
}  // namespace sqp::testing
