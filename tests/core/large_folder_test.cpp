// Lookups in a folder large enough that other spellings of a name are
// asked for one by one instead of reading the folder: the answers must be
// those of a folder read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "probes/file_probes.h"
#include "support/size_failure.h"
#include "support/temp_tree.h"

namespace sqp {
namespace {

using testing::SetReadOnly;
using testing::SizeFailureCode;
using testing::TempTree;

class LargeFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.Folder("big");
    for (int i = 0; i < 4000; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "big/Chunk%05d.mul", i);
      tree_.File(name);
    }
  }

  TempTree tree_;
};

TEST_F(LargeFolder, AMissingNameIsNotFound) {
  EXPECT_FALSE(FileIsPresent(tree_.Path("big/StaIdx0.mul")));
  EXPECT_FALSE(FileIsWriteable(tree_.Path("big/StaIdx0.mul")));
  EXPECT_EQ(SizeFailureCode(tree_.Path("big/StaIdx0.mul")), 2);
}

TEST_F(LargeFolder, TheOneOtherSpellingIsFound) {
  tree_.File("big/sTATICS0.mUL", 21971754);
  EXPECT_TRUE(FileIsPresent(tree_.Path("big/Statics0.mul")));
  EXPECT_TRUE(FileIsWriteable(tree_.Path("big/Statics0.mul")));
  EXPECT_EQ(FileByteSize(tree_.Path("big/Statics0.mul")), 21971754u);
  SetReadOnly(tree_.Path("big/sTATICS0.mUL"));
  EXPECT_FALSE(FileIsWriteable(tree_.Path("big/Statics0.mul")));
}

TEST_F(LargeFolder, AFolderUnderAnotherSpellingIsNotPresent) {
  tree_.Folder("big/MAP0.MUL");
  EXPECT_FALSE(FileIsPresent(tree_.Path("big/Map0.mul")));
}

TEST_F(LargeFolder, ADanglingLinkUnderAnotherSpellingIsNotPresent) {
  tree_.Symlink("big/map0.mul", tree_.Path("nowhere"));
  EXPECT_FALSE(FileIsPresent(tree_.Path("big/Map0.mul")));
  EXPECT_EQ(SizeFailureCode(tree_.Path("big/Map0.mul")), 2);
}

TEST_F(LargeFolder, OfTwoOtherSpellingsTheFirstInNameOrderDecides) {
  tree_.Folder("big/STAIDX0.MUL");
  tree_.File("big/staidx0.mul");
  EXPECT_FALSE(FileIsPresent(tree_.Path("big/StaIdx0.mul")));
  tree_.File("big/MAP0.MUL", 2);
  tree_.Folder("big/map0.mul");
  EXPECT_TRUE(FileIsPresent(tree_.Path("big/Map0.MUL")));
  EXPECT_EQ(FileByteSize(tree_.Path("big/Map0.MUL")), 2u);
}

TEST_F(LargeFolder, TheExactNameWins) {
  tree_.File("big/map0.mul", 1);
  tree_.File("big/Map0.mul", 2);
  EXPECT_EQ(FileByteSize(tree_.Path("big/Map0.mul")), 2u);
}

}  // namespace
}  // namespace sqp
