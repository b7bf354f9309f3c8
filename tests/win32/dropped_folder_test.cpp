#include "views/win32/dropped_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sqp::win32 {
namespace {

// A file system that knows which paths are folders.
class DroppedFolderTest : public testing::Test {
 protected:
  std::optional<std::wstring> Drop(const std::vector<std::wstring>& paths) const {
    return DroppedFolder(paths, [this](const std::wstring& path) { return folders_.count(path); });
  }

  std::set<std::wstring> folders_{L"C:\\UO", L"C:\\UO\\", L"C:\\UO\\Data", L"C:\\", L"D:\\"};
};

TEST_F(DroppedFolderTest, AFolderNamesItself) {
  EXPECT_EQ(Drop({L"C:\\UO"}), L"C:\\UO");
  EXPECT_EQ(Drop({L"C:\\UO\\"}), L"C:\\UO");
}

TEST_F(DroppedFolderTest, AFileNamesTheFolderThatHoldsIt) {
  EXPECT_EQ(Drop({L"C:\\UO\\Map0.mul"}), L"C:\\UO");
  EXPECT_EQ(Drop({L"C:\\UO\\Data\\Map0.mul"}), L"C:\\UO\\Data");
}

TEST_F(DroppedFolderTest, ADriveRootKeepsItsBackslash) {
  EXPECT_EQ(Drop({L"D:\\"}), L"D:\\");
  EXPECT_EQ(Drop({L"C:\\setup.exe"}), L"C:\\");
}

TEST_F(DroppedFolderTest, ItemsOfOneFolderNameIt) {
  EXPECT_EQ(Drop({L"C:\\UO\\Map0.mul", L"C:\\UO\\StaIdx0.mul"}), L"C:\\UO");
}

TEST_F(DroppedFolderTest, ItemsOfTwoFoldersNameNone) {
  EXPECT_EQ(Drop({L"C:\\UO\\Map0.mul", L"D:\\Map0.mul"}), std::nullopt);
  // The folder names itself; the file beside it names its parent.
  EXPECT_EQ(Drop({L"C:\\UO\\Data", L"C:\\UO\\Map0.mul"}), std::nullopt);
}

TEST_F(DroppedFolderTest, NetworkPathsNameNone) {
  EXPECT_EQ(Drop({L"\\\\server\\share\\UO"}), std::nullopt);
  EXPECT_EQ(Drop({L"\\\\?\\UNC\\server\\share\\Map0.mul"}), std::nullopt);
}

TEST_F(DroppedFolderTest, ALongLocalPathIsLocal) {
  EXPECT_EQ(Drop({L"\\\\?\\C:\\UO\\Map0.mul"}), L"\\\\?\\C:\\UO");
}

TEST_F(DroppedFolderTest, AnEmptyDropOrABareNameNamesNone) {
  EXPECT_EQ(Drop({}), std::nullopt);
  EXPECT_EQ(Drop({L"Map0.mul"}), std::nullopt);
}

}  // namespace
}  // namespace sqp::win32
