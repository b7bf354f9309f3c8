// The whole wizard, walked as a user walks it over a tree of real files,
// must leave every entry of the tree as it found it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "found/posix/search_places_posix.h"
#include "sqpmain/found_folders_offer.h"
#include "support/posted_callbacks.h"
#include "support/scoped_environment.h"
#include "support/temp_tree.h"
#include "support/tree_snapshot.h"
#include "support/tree_watch.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

void WriteContent(const std::string& path, const std::string& content) {
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  ASSERT_GE(fd, 0) << path;
  ASSERT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
  close(fd);
}

class WritesNothing : public ::testing::Test {
 protected:
  void SetUp() override {
    patch_ = tree_.File("patches/north.sq2");
    WriteContent(patch_, "patch bytes that nobody reads");
    MakeMapFiles(tree_, "client");
    for (const char* name : {"StaIdx0.mul", "Statics0.mul", "Map0.mul"}) {
      WriteContent(tree_.Path(std::string("client/") + name), std::string("client ") + name);
    }
    tree_.File("client/readme.txt", 10);
    SetReadOnly(tree_.File("client/old/Map0.mul", 5));
    MakeMapFiles(tree_, "cd", 21971754);
    SetReadOnly(tree_.Path("cd/StaIdx0.mul"));
    MakeMapFiles(tree_, "lower");
    tree_.Folder("mixed/staidx0.mul");
    tree_.File("mixed/STATICS0.MUL", 3);
    tree_.Fifo("odd/Statics0.mul");
    tree_.File("odd/StaIdx0.mul");
    tree_.File("odd/Map0.mul");
    tree_.Socket("sock/Statics0.mul");
    tree_.File("sock/StaIdx0.mul");
    tree_.File("sock/Map0.mul");
    tree_.Symlink("sock/dangling", tree_.Path("nowhere"));
    tree_.Symlink("devnull", "/dev/null");
    tree_.Symlink("cdlink", tree_.Path("cd"));
    tree_.Folder("empty/deeper/deepest");
    // A Wine prefix that drive letters reach: C is its own, D the CD above,
    // E dangles.
    WriteContent(tree_.File("prefix/system.reg", 1), "registry");
    MakeMapFiles(tree_, "prefix/drive_c/UO");
    tree_.Symlink("prefix/dosdevices/c:", "../drive_c");
    tree_.Symlink("prefix/dosdevices/d:", tree_.Path("cd"));
    tree_.Symlink("prefix/dosdevices/e:", "../drive_e");
  }

  // Start-up with three arguments, typing key by key, "Test again", Next to
  // the last page, and close.
  void WalkTheWizard() {
    const ScopedEnvironment prefix("WINEPREFIX", tree_.Path("prefix"));
    WizardSession run({patch_, tree_.Path("cli"), tree_.Path("c")});
    TSQPMainForm& form = run.Form();
    ASSERT_EQ(run.ActivePage(), 0);
    // The search for installed folders, over the whole tree and the prefix:
    // client, cd, lower, odd, sock and C:\UO.
    PostedCallbacks posted;
    StartFolderSearch(
        form, posted.Window(),
        std::make_shared<PosixSearchPlaces>(PathEnvironment{tree_.Path("prefix"), tree_.Root()},
                                            std::vector{tree_.Root()}));
    posted.RunNext();
    EXPECT_EQ(form.FolderFieldOf(form.UOClientPathEdit)->FoundFolders().size(), 6u);
    run.TypeOver(*form.UOClientPathEdit, tree_.Path("mixed"));
    run.TypeOver(*form.UOClientPathEdit, tree_.Path("client/old/"));
    run.TypeOver(*form.UOClientPathEdit, "c:\\uo\\");
    EXPECT_TRUE(run.NextEnabled());
    run.TypeOver(*form.UOClientPathEdit, tree_.Path("client"));
    ASSERT_TRUE(run.Click(*form.UOClientTestButton));
    ASSERT_TRUE(run.Click(*form.NextButton));
    ASSERT_EQ(run.ActivePage(), 1);
    run.TypeOver(*form.UOCDPathEdit, tree_.Path("odd"));
    run.TypeOver(*form.UOCDPathEdit, tree_.Path("sock"));
    run.TypeOver(*form.UOCDPathEdit, "E:\\");
    run.TypeOver(*form.UOCDPathEdit, "D:");
    EXPECT_EQ(form.UOCDTypeResultLabel->Text(), "The Second Age");
    run.TypeOver(*form.UOCDPathEdit, tree_.Path("cdlink"));
    ASSERT_TRUE(run.Click(*form.UOCDRecheckButton));
    ASSERT_TRUE(run.Click(*form.NextButton));
    ASSERT_EQ(run.ActivePage(), 2);
    EXPECT_EQ(run.Action(), "Apply the patch");
    // The walk went through the probes' paths: the socket's size failed.
    EXPECT_EQ(run.View().boxes, std::vector<ShownBox>{ReporterBox("E/A-Fehler 6.")});
    EXPECT_EQ(form.UOCDTypeResultLabel->Text(), "The Second Age");
    run.App().CloseMainForm();
    EXPECT_TRUE(run.App().QuitPending());
  }

  TempTree tree_;
  std::string patch_;
};

// A snapshot of every entry and a watch on every folder: the watch sees a
// write that was undone, the snapshot one that sends no event.
TEST_F(WritesNothing, EveryEntryKeepsContentSizeModeAndTimesAndNoWriteEventComes) {
  const TreeSnapshot before = SnapshotTree(tree_.Root());
  ASSERT_GE(before.size(), 30u);
  int folders = 0;
  for (const auto& [path, state] : before) folders += S_ISDIR(state.mode);
  TreeWatch watch(tree_.Root());
  ASSERT_EQ(watch.WatchedFolders(), folders);
  ASSERT_EQ(folders, 17);
  WalkTheWizard();
  EXPECT_EQ(watch.TakeEvents(), std::vector<std::string>{});
  EXPECT_EQ(DescribeTreeChanges(before, SnapshotTree(tree_.Root())), "");
}

}  // namespace
}  // namespace sqp::testing
