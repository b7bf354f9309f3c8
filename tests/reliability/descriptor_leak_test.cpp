// Ten thousand check passes over every path of the probes must leave the
// process with exactly the descriptors it had.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "probes/file_probes.h"
#include "support/size_failure.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

// Descriptor number -> what it refers to.
std::map<int, std::string> OpenDescriptors() {
  std::map<int, std::string> open;
  DIR* dir = opendir("/proc/self/fd");
  if (dir == nullptr) return open;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    char target[4096];
    const ssize_t length = readlink(("/proc/self/fd/" + name).c_str(), target, sizeof(target));
    open[std::stoi(name)] = length > 0 ? std::string(target, static_cast<std::size_t>(length)) : "";
  }
  closedir(dir);
  return open;
}

struct ProbePath {
  std::string folder;
  std::string client_rows;   // W, R or N per file, as the client check shows them
  std::string cd_rows;       // F or N
  int statics_size_failure;  // the size probe's code on Statics0.mul, 0 when it measures
};

class DescriptorLeaks : public ::testing::Test {
 protected:
  std::vector<ProbePath> ProbePaths() {
    MakeMapFiles(tree_, "found");
    tree_.Folder("missing");
    tree_.File("foldernamed/StaIdx0.mul");
    tree_.File("foldernamed/Statics0.mul");
    tree_.Folder("foldernamed/Map0.mul");
    tree_.File("staticsfolder/StaIdx0.mul");
    tree_.Folder("staticsfolder/Statics0.mul");
    tree_.File("staticsfolder/Map0.mul");
    MakeMapFiles(tree_, "readonly");
    SetReadOnly(tree_.Path("readonly/StaIdx0.mul"));
    tree_.File("case/staidx0.mul");
    tree_.File("case/STATICS0.MUL");
    tree_.File("case/map0.Mul");
    MakeMapFiles(tree_, "wild1");
    tree_.File("odd/StaIdx0.mul");
    tree_.Fifo("odd/Statics0.mul");
    tree_.File("odd/Map0.mul");
    tree_.File("sock/StaIdx0.mul");
    tree_.Socket("sock/Statics0.mul");
    tree_.File("sock/Map0.mul");
    tree_.File("dangling/StaIdx0.mul");
    tree_.Symlink("dangling/Statics0.mul", tree_.Path("nowhere"));
    return {
        {tree_.Path("found"), "WWW", "FFF", 0},
        {tree_.Path("missing"), "NNN", "NNN", 2},
        {tree_.Path("foldernamed"), "WWN", "FFN", 0},
        {tree_.Path("staticsfolder"), "WNW", "FNF", 5},  // opened, then refused
        {tree_.Path("readonly"), "RWW", "FFF", 0},
        {tree_.Path("case"), "WWW", "FFF", 0},
        {tree_.Path("wild*"), "NNN", "NNN", 123},
        {tree_.Path("odd"), "WWW", "FFF", 0},
        {tree_.Path("sock"), "WWW", "FFF", 6},
        {tree_.Path("dangling"), "WNN", "FNN", 2},
        {tree_.Path("no/such/folder"), "NNN", "NNN", 3},
    };
  }

  TempTree tree_;
};

std::string Letters(const std::vector<const widgets::Label*>& labels) {
  std::string letters;
  for (const widgets::Label* label : labels) {
    const LabelLook look = Look(*label);
    letters += look == Green("Found and writeable!") ? 'W'
               : look == Red("Found, but readonly!") ? 'R'
               : look == Green("Found!")             ? 'F'
               : look == Red("Not found!")           ? 'N'
                                                     : '?';
  }
  return letters;
}

TEST_F(DescriptorLeaks, TenThousandCheckPassesLeaveTheSameDescriptors) {
  const std::vector<ProbePath> paths = ProbePaths();
  const std::string patch = tree_.File("north.sq2");
  WizardSession run({patch});
  TSQPMainForm& form = run.Form();
  const std::map<int, std::string> before = OpenDescriptors();
  ASSERT_FALSE(before.empty());

  int passes = 0;
  std::size_t size_failures = 0;
  for (int round = 0; passes < 10'000; ++round) {
    for (const ProbePath& path : paths) {
      form.UOClientPathEdit->SelectAll();
      run.Paste(*form.UOClientPathEdit, path.folder);
      form.UOCDPathEdit->SelectAll();
      run.Paste(*form.UOCDPathEdit, path.folder);
      passes += 2;
      const int failure = SizeFailureCode(path.folder + "/Statics0.mul");
      if (failure != 0) ++size_failures;
      EXPECT_FALSE(FileIsPresent(tree_.Path("*.sq1")));
      EXPECT_TRUE(FileIsPresent(tree_.Path("*.SQ2")));
      if (round > 0) continue;
      // The first round proves which path of the probes each folder takes.
      EXPECT_EQ(Letters({form.UOClientStaIdxResultLabel, form.UOClientStaticsResultLabel,
                         form.UOClientMapResultLabel}),
                path.client_rows)
          << path.folder;
      EXPECT_EQ(Letters({form.UOCDStaIdxResultLabel, form.UOCDStaticsResultLabel,
                         form.UOCDMapResultLabel}),
                path.cd_rows)
          << path.folder;
      EXPECT_EQ(failure, path.statics_size_failure) << path.folder;
    }
  }
  EXPECT_GE(passes, 10'000);
  EXPECT_GT(size_failures, 0u);
  // Each pass over the socket folder reported its failed open.
  EXPECT_EQ(run.View().boxes.size(), static_cast<std::size_t>(passes / 2 / paths.size()));
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
}  // namespace sqp::testing
