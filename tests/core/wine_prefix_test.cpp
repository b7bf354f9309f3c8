// Windows folder texts on Linux: drive letters reach the user's Wine prefix
// through its dosdevices links, and "~" is the home folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "support/scoped_environment.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

std::string Backslashed(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// A Wine prefix as wine makes it, at `prefix` below the tree: drive C holds
// "StaIdx0.mul" and the client folder "UO" (with "staidx0.mul" in lower
// case); D is a CD folder elsewhere, Z the file system root; E dangles and
// L and M point at each other.
void MakePrefix(const TempTree& tree, const std::string& prefix) {
  tree.File(prefix + "/drive_c/StaIdx0.mul");
  tree.File(prefix + "/drive_c/UO/staidx0.mul");
  tree.File(prefix + "/drive_c/UO/Statics0.mul");
  tree.File(prefix + "/drive_c/UO/Map0.mul");
  tree.Symlink(prefix + "/dosdevices/c:", "../drive_c");
  tree.Symlink(prefix + "/dosdevices/d:", tree.Path("media/cdrom"));
  tree.Symlink(prefix + "/dosdevices/z:", "/");
  tree.Symlink(prefix + "/dosdevices/e:", "../drive_e");
  tree.Symlink(prefix + "/dosdevices/l:", "m:");
  tree.Symlink(prefix + "/dosdevices/m:", "l:");
}

class WinePrefix : public ::testing::Test {
 protected:
  WinePrefix() {
    MakePrefix(tree_, "prefix");
    MakeMapFiles(tree_, "media/cdrom", 21971754);
    MakeMapFiles(tree_, "home/u");
    MakeMapFiles(tree_, "home/u/client");
    MakeMapFiles(tree_, "elsewhere/UO");
    MakeMapFiles(tree_, "here/~user/x");
  }

  // The client rows after typing `text`, as "+" for found and writeable and
  // "-" for not found.
  std::string ClientRowsFor(const std::string& text) {
    run_.TypeOver(*run_.Form().UOClientPathEdit, text);
    std::string rows;
    for (const LabelLook& row : ClientResults(run_.Form())) {
      if (row == Green("Found and writeable!")) {
        rows += '+';
      } else {
        rows += row == Red("Not found!") ? '-' : '?';
      }
    }
    EXPECT_EQ(run_.NextEnabled(), rows == "+++") << text;
    return rows;
  }

  TempTree tree_;
  WizardSession run_{{tree_.File("north.sq2")}};
};

TEST_F(WinePrefix, DriveLettersAndHomeNameFoldersOfTheUser) {
  const ScopedEnvironment prefix("WINEPREFIX", tree_.Path("prefix"));
  const ScopedEnvironment home("HOME", tree_.Path("home/u"));
  const struct {
    std::string text;
    const char* rows;
  } cases[] = {
      {"C:\\UO", "+++"},
      {"c:/uo/", "+++"},
      {"C:\\UO\\\\\\", "+++"},
      {"C:\\Uo", "+++"},
      {" C:\\UO\\/ ", "+++"},
      {"C:\\..\\UO", "+++"},  // ".." stops at the drive's root
      {"C:\\UO\\..\\..\\drive_c\\UO", "---"},
      {"C:", "+--"},
      {"C:\\", "+--"},
      {"Z:" + Backslashed(tree_.Path("elsewhere/uo")), "+++"},
      {"Q:\\x", "---"},   // no such drive
      {"E:\\UO", "---"},  // dangling link
      {"L:\\UO", "---"},  // link loop
      {"C:UO", "---"},    // no drive form: a POSIX name
      {"~/client", "+++"},
      {"~", "+++"},
      {"~/CLIENT/", "+++"},
  };
  for (const auto& c : cases) EXPECT_EQ(ClientRowsFor(c.text), c.rows) << c.text;

  // "~user" is a plain name, found relative to the current folder.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(tree_.Path("here"));
  const std::string rows = ClientRowsFor("~user/x");
  std::filesystem::current_path(previous);
  EXPECT_EQ(rows, "+++");
}

TEST_F(WinePrefix, WithoutWinePrefixTheHomeFoldersWineIsUsed) {
  MakePrefix(tree_, "home/v/.wine");
  for (const std::optional<std::string>& empty_or_unset :
       {std::optional<std::string>(""), std::optional<std::string>()}) {
    const ScopedEnvironment prefix("WINEPREFIX", empty_or_unset);
    const ScopedEnvironment home("HOME", tree_.Path("home/v"));
    EXPECT_EQ(ClientRowsFor("C:\\UO"), "+++");
    EXPECT_EQ(ClientRowsFor("Q:\\UO"), "---");
  }
  const ScopedEnvironment prefix("WINEPREFIX", std::nullopt);
  const ScopedEnvironment home("HOME", std::nullopt);
  EXPECT_EQ(ClientRowsFor("C:\\UO"), "---");
  EXPECT_EQ(ClientRowsFor("~"), "---");
}

TEST_F(WinePrefix, TheCDDriveNamesTheEdition) {
  const ScopedEnvironment prefix("WINEPREFIX", tree_.Path("prefix"));
  ASSERT_EQ(ClientRowsFor("C:\\UO"), "+++");
  ASSERT_TRUE(run_.Click(*run_.Form().NextButton));
  run_.TypeOver(*run_.Form().UOCDPathEdit, "D:\\");
  EXPECT_EQ(CDResults(run_.Form()), (std::vector<LabelLook>(3, Green("Found!"))));
  EXPECT_EQ(run_.Form().UOCDTypeResultLabel->Text(), "The Second Age");
  EXPECT_TRUE(run_.NextEnabled());
  run_.TypeOver(*run_.Form().UOCDPathEdit, "E:\\");
  EXPECT_EQ(run_.Form().UOCDTypeResultLabel->Text(), "Path not correct!");
  EXPECT_TRUE(run_.View().boxes.empty());
}

}  // namespace
}  // namespace sqp::testing
