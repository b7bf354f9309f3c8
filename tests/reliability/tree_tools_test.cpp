// The tools that prove "nothing written" and "no hang" must see what they
// are there to see.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "support/bounded_run.h"
#include "support/temp_tree.h"
#include "support/tree_snapshot.h"
#include "support/tree_watch.h"

namespace sqp::testing {
namespace {

bool Has(const std::vector<std::string>& events, const std::string& event) {
  for (const std::string& seen : events) {
    if (seen.find(event) != std::string::npos) return true;
  }
  return false;
}

void AppendByte(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "x", 1), 1);
  close(fd);
}

class TreeTools : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeMapFiles(tree_, "cd");
    tree_.Folder("cd/sub/deeper");
    tree_.File("cd/sub/deeper/file", 4);
  }
  TempTree tree_;
};

TEST_F(TreeTools, SnapshotsAgreeWhenOnlyReadingHappened) {
  const TreeSnapshot before = SnapshotTree(tree_.Root());
  const int fd = open(tree_.Path("cd/Map0.mul").c_str(), O_RDONLY | O_CLOEXEC);
  char byte;
  EXPECT_EQ(read(fd, &byte, 1), 1);
  close(fd);
  EXPECT_EQ(DescribeTreeChanges(before, SnapshotTree(tree_.Root())), "");
  EXPECT_EQ(before.size(), 8u);  // the root, cd, three files, sub, deeper, file
}

TEST_F(TreeTools, SnapshotsSeeEveryKindOfWrite) {
  const TreeSnapshot before = SnapshotTree(tree_.Root());
  SetMode(tree_.Path("cd/Map0.mul"), 0644);  // same mode: only the ctime moves
  SetModificationTime(tree_.Path("cd/StaIdx0.mul"), 2001, 1, 1);
  AppendByte(tree_.Path("cd/sub/deeper/file"));
  ASSERT_EQ(unlink(tree_.Path("cd/Statics0.mul").c_str()), 0);
  tree_.File("cd/sub/new");
  const std::string changes = DescribeTreeChanges(before, SnapshotTree(tree_.Root()));
  EXPECT_NE(changes.find("changed: \"cd/Map0.mul\""), std::string::npos) << changes;
  EXPECT_NE(changes.find("changed: \"cd/StaIdx0.mul\""), std::string::npos) << changes;
  EXPECT_NE(changes.find("changed: \"cd/sub/deeper/file\""), std::string::npos) << changes;
  EXPECT_NE(changes.find("removed: \"cd/Statics0.mul\""), std::string::npos) << changes;
  EXPECT_NE(changes.find("added: \"cd/sub/new\""), std::string::npos) << changes;
}

TEST_F(TreeTools, SnapshotsSeeAContentChangeOfTheSameSizeAndTimes) {
  const std::string path = tree_.Path("cd/sub/deeper/file");
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  const TreeSnapshot before = SnapshotTree(tree_.Root());
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_EQ(pwrite(fd, "ab", 2, 1), 2);
  close(fd);
  const timespec times[2] = {info.st_atim, info.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  TreeSnapshot after = SnapshotTree(tree_.Root());
  EXPECT_NE(after["cd/sub/deeper/file"].content_hash, before.at("cd/sub/deeper/file").content_hash);
}

TEST_F(TreeTools, TheWatchSeesWritesInEveryFolderButNotReads) {
  TreeWatch watch(tree_.Root());
  EXPECT_EQ(watch.WatchedFolders(), 4);
  const int fd = open(tree_.Path("cd/Map0.mul").c_str(), O_RDONLY | O_CLOEXEC);
  close(fd);
  EXPECT_EQ(watch.TakeEvents(), std::vector<std::string>{});

  SetMode(tree_.Path("cd/Map0.mul"), 0444);
  AppendByte(tree_.Path("cd/sub/deeper/file"));
  tree_.File("new");
  ASSERT_EQ(rename(tree_.Path("cd/StaIdx0.mul").c_str(), tree_.Path("cd/moved").c_str()), 0);
  ASSERT_EQ(unlink(tree_.Path("cd/Statics0.mul").c_str()), 0);
  const std::vector<std::string> events = watch.TakeEvents();
  EXPECT_TRUE(Has(events, "IN_ATTRIB cd/Map0.mul"));
  EXPECT_TRUE(Has(events, "IN_MODIFY cd/sub/deeper/file"));
  EXPECT_TRUE(Has(events, "IN_CLOSE_WRITE cd/sub/deeper/file"));
  EXPECT_TRUE(Has(events, "IN_CREATE new"));
  EXPECT_TRUE(Has(events, "IN_MOVED_FROM cd/StaIdx0.mul"));
  EXPECT_TRUE(Has(events, "IN_MOVED_TO cd/moved"));
  EXPECT_TRUE(Has(events, "IN_DELETE cd/Statics0.mul"));
}

TEST(BoundedRun, HandsBackTheAnswer) {
  const BoundedRun run = RunBounded([] { return std::string(100000, 'a'); }, 60);
  EXPECT_TRUE(run.completed) << run.how;
  EXPECT_EQ(run.answer, std::string(100000, 'a'));
}

TEST(BoundedRun, EndsAHangingBody) {
  const BoundedRun run = RunBounded(
      [] {
        for (;;) pause();
        return std::string();
      },
      1);
  EXPECT_FALSE(run.completed);
  EXPECT_EQ(run.how, "hung: ended by the alarm");
}

TEST(BoundedRun, SurvivesACrashingBody) {
  const BoundedRun run = RunBounded(
      [] {
        abort();
        return std::string();
      },
      60);
  EXPECT_FALSE(run.completed);
  EXPECT_NE(run.how.find("crashed"), std::string::npos) << run.how;
}

TEST(BoundedRun, ReportsAnEscapingFailure) {
  const BoundedRun run = RunBounded([]() -> std::string { throw std::runtime_error("boom"); }, 60);
  EXPECT_FALSE(run.completed);
  EXPECT_EQ(run.answer, "escaped: boom");
}

}  // namespace
}  // namespace sqp::testing
