// Folder components spelt in another letter case, wherever they sit in the
// path: the lookup starts after the deepest prefix spelt as on disk.
#include <gtest/gtest.h>

#include <string>

#include "probes/file_probes.h"
#include "support/size_failure.h"
#include "support/temp_tree.h"

namespace sqp {
namespace {

using testing::SizeFailureCode;
using testing::TempTree;

class FolderCase : public ::testing::Test {
 protected:
  void SetUp() override { tree_.File("Wine/drive_c/UO/Map0.mul", 7); }
  TempTree tree_;
};

TEST_F(FolderCase, TheLastFolderInAnotherCase) {
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/uo/Map0.mul")), 7u);
}

TEST_F(FolderCase, AMiddleFolderInAnotherCase) {
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/DRIVE_C/UO/Map0.mul")), 7u);
}

TEST_F(FolderCase, TheFirstFolderInAnotherCase) {
  EXPECT_EQ(FileByteSize(tree_.Path("wine/drive_c/UO/Map0.mul")), 7u);
}

TEST_F(FolderCase, EveryFolderInAnotherCase) {
  EXPECT_TRUE(FileIsPresent(tree_.Path("WINE/Drive_C/uo/map0.MUL")));
}

#ifndef _WIN32
// Only a file system that tells case apart holds a file "uo" beside a folder "UO".
TEST_F(FolderCase, AFileOfTheExactNameIsPassedOverForAFolder) {
  tree_.File("Wine/drive_c/uo", 1);
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/uo/Map0.mul")), 7u);
}
#endif

TEST_F(FolderCase, AMissingFolderFindsNothing) {
  EXPECT_FALSE(FileIsPresent(tree_.Path("Wine/drive_c/UO2/Map0.mul")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("Wine/drive_d/UO/Map0.mul")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("Wine/drive_c/UO/Map0.mul/Map0.mul")));
}

TEST_F(FolderCase, AMissingFolderFailsTheSizeProbeWithPathNotFound) {
  try {
    FileByteSize(tree_.Path("Wine/drive_d/UO/Map0.mul"));
    FAIL() << "measured a file in a missing folder";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode(), 3);
  }
}

// Windows' own name rules: "." and ".." are steps in the text, taken before
// anything is looked up; a name not found as typed loses its trailing dots
// and blanks, a folder on the way one trailing dot only.
TEST_F(FolderCase, DotStepsAndTrailingDotsFollowWindows) {
  tree_.Folder("Wine/drive_d");
  const struct {
    const char* path;
    bool present;
  } cases[] = {
      {"Wine/drive_d/../drive_c/UO/Map0.mul", true},
      {"Wine/drive_d/../DRIVE_C/uo/Map0.mul", true},
      {"Wine/missing/../drive_c/UO/Map0.mul", true},
      {"Wine/drive_c/./UO/./Map0.mul", true},
      {"Wine/drive_c/UO/../../drive_c/UO/Map0.mul", true},
      {"Wine/drive_c/UO./Map0.mul", true},
      {"Wine/drive_c/UO../Map0.mul", false},
      {"Wine/drive_c/UO /Map0.mul", false},
      {"Wine/drive_c/UO/Map0.mul.", true},
      {"Wine/drive_c/UO/map0.MUL. .", true},
      {"Wine/drive_c/UO/Map0.mu", false},
      {"Wine/drive_c/U.O/Map0.mul", false},
      {"Wine/drive_c/.UO/Map0.mul", false},
      {"Wine/drive_c/UO/Map0.mul/..", false},  // the folder, not a file
      {"Wine/drive_c/UO/.../UO/Map0.mul", false},
      {"Wine/drive_c/UO/Map0.mul/...", false},
  };
  for (const auto& c : cases) EXPECT_EQ(FileIsPresent(tree_.Path(c.path)), c.present) << c.path;
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/uo./MAP0.MUL ")), 7u);
  // Where dropping the dots leaves "..", or nothing, there is no name at all;
  // nor is a file named as a folder.
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/drive_c/UO/.../UO/Map0.mul")), 123);
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/drive_c/UO/Map0.mul/...")), 123);
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/drive_c/UO/Map0.mul/")), 123);
  // A last name of dots only is dropped: what remains names a folder.
  EXPECT_TRUE(FileIsWriteable(tree_.Path("Wine/drive_c/UO/...")));
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/drive_c/UO/. .")), 5);
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/drive_c/missing/...")), 2);
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/missing/sub/...")), 3);
  EXPECT_EQ(SizeFailureCode(tree_.Path("Wine/drive_c/UO../Map0.mul")), 3);
}

#ifndef _WIN32
TEST_F(FolderCase, ANameOnDiskWithTrailingDotsIsFoundAsTyped) {
  tree_.File("Wine/drive_c/UO./Map0.mul", 3);
  tree_.File("Wine/drive_c/UO/Map0.mul.", 5);
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/UO./Map0.mul")), 3u);
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/UO/Map0.mul.")), 5u);
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/UO/Map0.mul..")), 7u);
}

// Several spellings on disk: the one Wine lists first, in name order, and not
// the first in directory order, which differs between file systems. Each
// expected entry is made between the others, so neither the order of
// creation nor its reverse would pick it.
TEST_F(FolderCase, OfSeveralSpellingsTheFirstInNameOrderIsTaken) {
  tree_.File("Order/map0.MUL", 1);
  tree_.File("Order/MAP0.MUL", 2);
  tree_.File("Order/Map0.mul", 3);
  EXPECT_EQ(FileByteSize(tree_.Path("Order/mAP0.mul")), 2u);
  tree_.File("Order/uO/Map0.mul", 4);
  tree_.File("Order/UO/Map0.mul", 5);
  tree_.File("Order/uo/Map0.mul", 6);
  EXPECT_EQ(FileByteSize(tree_.Path("Order/Uo/Map0.mul")), 5u);
  // A pattern: the first match is a folder, so no file is present.
  tree_.File("Order/c.sq2");
  tree_.Folder("Order/A.sq2");
  tree_.File("Order/b.sq2");
  EXPECT_FALSE(FileIsPresent(tree_.Path("Order/?.SQ2")));
  tree_.File("Order/0.sq2");
  EXPECT_TRUE(FileIsPresent(tree_.Path("Order/?.SQ2")));
  // Letters compare as capitals, so "_" lists after them all.
  tree_.Folder("Under/a.sq2");
  tree_.File("Under/_.sq2");
  EXPECT_FALSE(FileIsPresent(tree_.Path("Under/?.sq2")));
}

TEST_F(FolderCase, ParentStepsAfterALinkReturnToTheLinksFolder) {
  tree_.File("elsewhere/Map0.mul", 9);
  tree_.Symlink("Wine/drive_c/UO/cd", tree_.Path("elsewhere"));
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/UO/cd/Map0.mul")), 9u);
  EXPECT_EQ(FileByteSize(tree_.Path("Wine/drive_c/UO/cd/../Map0.mul")), 7u);
}
#endif

}  // namespace
}  // namespace sqp
