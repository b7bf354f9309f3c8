// Which folder a folder text names for the folder fields' helpers: the
// picker's start and the folder that completion lists.
#include "probes/existing_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "support/temp_tree.h"
#ifndef _WIN32
#include "support/scoped_environment.h"
#endif

namespace sqp {
namespace {

using testing::Separator;
using testing::TempTree;

// POSIX answers with the spelling on disk; Windows, whose names match in any
// case anyway, keeps the spelling typed.
std::string Comparable(std::string path) {
#ifdef _WIN32
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
#endif
  return path;
}

class ExistingFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.File("Wine/drive_c/UO/Map0.mul");
#ifndef _WIN32
    tree_.Folder("Wine/drive_c/U>");  // ">" is a pattern to the probes
#endif
  }
  // `relative` below the tree, typed with the platform's separator.
  std::string Typed(const std::string& relative) const { return tree_.Path(relative); }
  TempTree tree_;
};

TEST_F(ExistingFolderTest, NamesAnExistingFolderOnly) {
  const std::string sep = Separator();
  const struct {
    std::string text;
    std::optional<std::string> folder;  // below the tree
  } cases[] = {
      {Typed("Wine/drive_c/UO"), "Wine/drive_c/UO"},
      {Typed("wine/DRIVE_C/uo") + sep + sep, "Wine/drive_c/UO"},
      {" \t" + Typed("Wine/drive_c") + " ", "Wine/drive_c"},
      {Typed("Wine/drive_c/UO/Map0.mul"), std::nullopt},  // a file
      {Typed("Wine/drive_c/U*"), std::nullopt},
      {Typed("Wine/drive_c/U?"), std::nullopt},
      {Typed("Wine/drive_c/U>"), std::nullopt},
      {Typed("Wine/drive_c/UO/.../..."), std::nullopt},  // a folder name left as ".."
      {Typed("Wine/drive_d"), std::nullopt},
      {Typed("Wine/drive_d/UO"), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<std::string> found = ExistingFolder(c.text);
    ASSERT_EQ(found.has_value(), c.folder.has_value());
    if (found) {
      EXPECT_EQ(Comparable(*found), Comparable(tree_.Path(*c.folder)));
    }
    EXPECT_EQ(FolderPickerStart(c.text).has_value(), c.folder.has_value());
  }
}

// The folder the probes look in: ".." is a step in the text, even after a
// folder that is not there.
TEST_F(ExistingFolderTest, ParentStepsAreTakenInTheText) {
  const std::optional<std::string> found = ExistingFolder(Typed("Wine/missing/../drive_c/UO"));
  ASSERT_TRUE(found.has_value());
#ifndef _WIN32
  EXPECT_EQ(*found, tree_.Path("Wine/drive_c/UO"));
#endif
  EXPECT_EQ(ExistingFolder(Typed("Wine/drive_c/UO/Map0.mul/..")).has_value(), true);
}

TEST_F(ExistingFolderTest, ABlankFieldLeavesThePickerWhereItStarts) {
  for (const char* blank : {"", "   ", "\t"}) EXPECT_EQ(FolderPickerStart(blank), std::nullopt);
#ifndef _WIN32
  // The checks read the empty folder path as the root folder.
  EXPECT_EQ(ExistingFolder(""), "/");
#endif
}

TEST_F(ExistingFolderTest, CompletionListsTheFolderBeforeTheLastSeparator) {
  const std::string sep = Separator();
  const struct {
    std::string text;
    std::optional<std::string> folder;  // below the tree
    std::string typed_name;
  } cases[] = {
      {Typed("Wine") + sep + "dri", "Wine", "dri"},
      {Typed("WINE/Drive_C") + sep, "Wine/drive_c", ""},
      {Typed("Wine/drive_c") + sep + ".hid", "Wine/drive_c", ".hid"},
      {Typed("Wine/drive_d") + sep + "x", std::nullopt, ""},
      {Typed("Wine/drive_c/UO/Map0.mul") + sep + "x", std::nullopt, ""},
      {Typed("Wine/drive_c/UO/.../...") + sep + "x", std::nullopt, ""},
      {"Wine", std::nullopt, ""},  // a bare name says no folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<FolderCompletionBase> base = CompletionBaseOf(c.text);
    ASSERT_EQ(base.has_value(), c.folder.has_value());
    if (!base) continue;
    EXPECT_EQ(Comparable(base->folder), Comparable(tree_.Path(*c.folder)));
    EXPECT_EQ(base->typed_name, c.typed_name);
    EXPECT_EQ(base->typed_folder + base->typed_name, c.text);
  }
#ifndef _WIN32
  const std::optional<FolderCompletionBase> root = CompletionBaseOf("/tm");
  ASSERT_TRUE(root.has_value());
  EXPECT_EQ(root->folder, "/");
  EXPECT_EQ(root->typed_folder, "/");
  EXPECT_EQ(root->typed_name, "tm");
#endif
}

#ifndef _WIN32
// A drive-letter text completes in the user's Wine prefix, in either
// separator and any letter case, and lists under the folder it spells.
TEST_F(ExistingFolderTest, DriveLettersCompleteInTheWinePrefix) {
  tree_.Symlink("Wine/dosdevices/c:", "../drive_c");
  const testing::ScopedEnvironment prefix("WINEPREFIX", tree_.Path("Wine"));
  const std::string drive_c = tree_.Path("Wine/dosdevices/c:");
  const struct {
    std::string text;
    std::optional<std::string> folder;  // as the probes spell it
    std::string typed_name;
  } cases[] = {
      {"C:\\u", drive_c, "u"},
      {"c:/", drive_c, ""},
      {"C:\\uo\\Ma", drive_c + "/UO", "Ma"},
      {"C:/UO\\", drive_c + "/UO", ""},
      {"Q:\\x", std::nullopt, ""},  // no such drive
      {"C:", std::nullopt, ""},     // no separator yet
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<FolderCompletionBase> base = CompletionBaseOf(c.text);
    ASSERT_EQ(base.has_value(), c.folder.has_value());
    if (!base) continue;
    EXPECT_EQ(base->folder, *c.folder);
    EXPECT_EQ(base->typed_name, c.typed_name);
    EXPECT_EQ(base->typed_folder + base->typed_name, c.text);
  }
  EXPECT_EQ(FolderPickerStart("C:\\UO"), drive_c + "/UO");
}
#endif

}  // namespace
}  // namespace sqp
