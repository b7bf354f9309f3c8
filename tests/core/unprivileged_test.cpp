// Cases that only an ordinary user meets: root is let through every
// permission check. CTest runs this binary under an unprivileged user.
#include <gtest/gtest.h>
#include <unistd.h>

#include "probes/file_probes.h"
#include "support/size_failure.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

class Unprivileged : public ::testing::Test {
 protected:
  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
};

TEST_F(Unprivileged, AnUnreadableStaticsIsReportedAsAccessDenied) {
  MakeMapFiles(tree_, "client");
  MakeMapFiles(tree_, "cd", 21971754);
  SetMode(tree_.Path("cd/Statics0.mul"), 0);
  run_.TypeOver(*run_.Form().UOClientPathEdit, tree_.Path("client"));
  run_.Click(*run_.Form().NextButton);
  run_.TypeOver(*run_.Form().UOCDPathEdit, tree_.Path("cd"));
  EXPECT_EQ(run_.View().boxes, std::vector<ShownBox>{ReporterBox("Dateizugriff verweigert.")});
  EXPECT_EQ(Look(*run_.Form().UOCDStaticsResultLabel), Green("Found!"));
  EXPECT_TRUE(run_.Unit().UOCDFilesOk);
}

TEST_F(Unprivileged, PermissionBitsDecideNothingButTheOwnersWriteBit) {
  // Writeable by its owner's bit even when the user could not open it.
  const std::string no_access = tree_.File("client/Map0.mul");
  SetMode(no_access, 0200);
  EXPECT_TRUE(FileIsPresent(no_access));
  EXPECT_TRUE(FileIsWriteable(no_access));
  EXPECT_EQ(SizeFailureCode(no_access), 5);
}

TEST_F(Unprivileged, AFolderWithoutSearchPermissionHidesItsFiles) {
  MakeMapFiles(tree_, "locked");
  SetMode(tree_.Path("locked"), 0600);
  run_.TypeOver(*run_.Form().UOClientPathEdit, tree_.Path("locked"));
  EXPECT_EQ(Look(*run_.Form().UOClientStaIdxResultLabel), Red("Not found!"));
  EXPECT_FALSE(run_.NextEnabled());
  // Listed, but not reachable: access denied.
  EXPECT_EQ(SizeFailureCode(tree_.Path("locked/Statics0.mul")), 5);
}

// Searched but not listed: FindFirstFile, which lists the folder, finds no
// name in it; what opens a name spelt exactly still reaches it.
TEST_F(Unprivileged, AFolderThatCannotBeListedHidesItsFilesFromThePresenceProbe) {
  MakeMapFiles(tree_, "noread");
  SetMode(tree_.Path("noread"), 0300);
  for (const char* name : {"noread/Map0.mul", "noread/MAP0.MUL", "noread/*.mul"}) {
    EXPECT_FALSE(FileIsPresent(tree_.Path(name))) << name;
  }
  EXPECT_TRUE(FileIsWriteable(tree_.Path("noread/Map0.mul")));
  EXPECT_EQ(FileByteSize(tree_.Path("noread/Map0.mul")), 200u);
  // A folder that had to be listed and may not be is access denied, for a
  // name in another case and for a folder below it alike.
  EXPECT_EQ(SizeFailureCode(tree_.Path("noread/MAP0.MUL")), 5);
  EXPECT_EQ(SizeFailureCode(tree_.Path("noread/SUB/Map0.mul")), 5);
  EXPECT_EQ(SizeFailureCode(tree_.Path("noread/missing.mul")), 5);
  run_.TypeOver(*run_.Form().UOClientPathEdit, tree_.Path("noread"));
  EXPECT_EQ(Look(*run_.Form().UOClientMapResultLabel), Red("Not found!"));
  EXPECT_FALSE(run_.NextEnabled());
}

}  // namespace
}  // namespace sqp::testing
