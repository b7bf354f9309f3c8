// Page 0 on Windows file attributes.
#include <gtest/gtest.h>

#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

class ClientCheckWin32 : public ::testing::Test {
 protected:
  std::vector<LabelLook> Results() { return ClientResults(run_.Form()); }

  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
  widgets::Edit& edit_ = *run_.Form().UOClientPathEdit;
};

TEST_F(ClientCheckWin32, HiddenSystemAndOldFilesCountAsFound) {
  SetHidden(tree_.File("odd/StaIdx0.mul"));
  SetSystem(tree_.File("odd/Statics0.mul"));
  SetModificationTime(tree_.File("odd/Map0.mul"), 1979, 12, 31);
  run_.TypeOver(edit_, tree_.Path("odd"));
  const LabelLook writeable = Green("Found and writeable!");
  EXPECT_EQ(Results(), (std::vector<LabelLook>{writeable, writeable, writeable}));
  EXPECT_TRUE(run_.NextEnabled());
  EXPECT_TRUE(run_.View().boxes.empty());
}

TEST_F(ClientCheckWin32, TheReadOnlyAttributeIsReportedRowByRow) {
  MakeMapFiles(tree_, "UO");
  SetReadOnly(tree_.Path("UO/StaIdx0.mul"));
  SetReadOnly(tree_.Path("UO/Map0.mul"));
  run_.TypeOver(edit_, tree_.Path("UO") + "\\");
  EXPECT_EQ(Results(),
            (std::vector<LabelLook>{Red("Found, but readonly!"), Green("Found and writeable!"),
                                    Red("Found, but readonly!")}));
  EXPECT_FALSE(run_.NextEnabled());
}

}  // namespace
}  // namespace sqp::testing
