// The probes against Windows' own file calls (Wine's kernel32 in CI).
#include <gtest/gtest.h>
#include <windows.h>

#include "encoding/code_page.h"
#include "probes/file_probes.h"
#include "probes/folder_path.h"
#include "support/size_failure.h"
#include "support/temp_tree.h"

namespace sqp {
namespace {

using testing::SizeFailureCode;
using testing::TempTree;

class Win32Probes : public ::testing::Test {
 protected:
  TempTree tree_;
};

TEST_F(Win32Probes, TheReadOnlyAttributeMakesAFileUnwriteableButMeasurable) {
  const std::string file = tree_.File("cd/Statics0.mul", 21971754);
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(FileIsPresent(file));
  EXPECT_FALSE(FileIsWriteable(file));
  EXPECT_EQ(FileByteSize(file), 21971754u);
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(FileIsWriteable(file));
}

TEST_F(Win32Probes, HiddenAndSystemFilesArePresent) {
  const std::string hidden = tree_.File("uo/Map0.mul", 3);
  testing::SetHidden(hidden);
  testing::SetSystem(hidden);
  EXPECT_TRUE(FileIsPresent(hidden));
  EXPECT_TRUE(FileIsWriteable(hidden));
  EXPECT_EQ(FileByteSize(hidden), 3u);
}

TEST_F(Win32Probes, FoldersAreNeitherPresentNorMeasurable) {
  const std::string folder = tree_.Folder("uo/Statics0.mul");
  EXPECT_FALSE(FileIsPresent(folder));
  EXPECT_EQ(SizeFailureCode(folder), 5);
  EXPECT_EQ(EInOutError(SizeFailureCode(folder)).what(), std::string("Dateizugriff verweigert"));
}

TEST_F(Win32Probes, WildcardsMatchInTheLastComponent) {
  tree_.File("patches/north.sq2");
  EXPECT_TRUE(FileIsPresent(tree_.Path("patches/*.sq2")));
  EXPECT_TRUE(FileIsPresent(tree_.Path("patches/NORT?.SQ2")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("patches/*.sq3")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("patch?s/north.sq2")));
  tree_.Folder("folders/a.sq2");
  EXPECT_FALSE(FileIsPresent(tree_.Path("folders/*.sq2")));
}

TEST_F(Win32Probes, LowerCaseNamesOnDiskAreFound) {
  tree_.File("uo/staidx0.mul", 9);
  tree_.File("uo/statics0.mul", 19171873);
  EXPECT_TRUE(FileIsPresent(tree_.Path("UO/StaIdx0.mul")));
  EXPECT_TRUE(FileIsWriteable(tree_.Path("UO/StaIdx0.mul")));
  EXPECT_EQ(FileByteSize(tree_.Path("uo/Statics0.mul")), 19171873u);
}

TEST_F(Win32Probes, FourGibibytesAndFiveMeasureFive) {
  EXPECT_EQ(FileByteSize(tree_.File("big/Statics0.mul", (std::uint64_t{1} << 32) + 5)), 5u);
  // All bits set with no error code is a size.
  EXPECT_EQ(FileByteSize(tree_.File("big/Map0.mul", 0xFFFFFFFFu)), 0xFFFFFFFFu);
}

TEST_F(Win32Probes, FailuresCarryTheCodesOfTheSystem) {
  EXPECT_EQ(SizeFailureCode(tree_.Path("Statics0.mul")), 2);
  EXPECT_EQ(SizeFailureCode(tree_.Path("no-folder/Statics0.mul")), 3);
  const std::string file = tree_.File("held/Statics0.mul", 10);
  const HANDLE held =
      CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SizeFailureCode(file), 32);
  EXPECT_EQ(EInOutError(32).what(), std::string("E/A-Fehler 32"));
  // Held, but still there.
  EXPECT_TRUE(FileIsPresent(file));
  CloseHandle(held);
  EXPECT_EQ(FileByteSize(file), 10u);
}

TEST_F(Win32Probes, ReadingOnlyGetsAlongWithHoldersThatShareReading) {
  const std::string file = tree_.File("shared/Statics0.mul", 10);
  const HANDLE writer =
      CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileByteSize(file), 10u);
  CloseHandle(writer);
  // Reading only, it gets along with a holder that lets others read...
  const HANDLE shares_reading = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(shares_reading, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileByteSize(file), 10u);
  CloseHandle(shares_reading);
  // ...but not with one that lets others only write.
  const HANDLE writer_only = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer_only, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SizeFailureCode(file), 32);
  CloseHandle(writer_only);
}

TEST_F(Win32Probes, PathsOver259CharactersAreRefusedInOrder) {
  // The same file, padded with "\\." steps to 259 characters, then 260.
  tree_.File("Map0.mul");
  const std::string name = "\\Map0.mul";
  std::string padding;
  while (tree_.Root().size() + padding.size() + name.size() + 2 <= 259) padding.append("\\.");
  if (tree_.Root().size() + padding.size() + name.size() < 259) padding.append("\\");
  const std::string at_limit = tree_.Root() + padding + name;
  ASSERT_EQ(at_limit.size(), 259u);
  EXPECT_TRUE(FileIsPresent(at_limit));
  const std::string over = tree_.Root() + "\\" + padding + name;
  EXPECT_FALSE(FileIsPresent(over));
  EXPECT_FALSE(FileIsWriteable(over));
  EXPECT_EQ(SizeFailureCode(over), 3);
}

TEST_F(Win32Probes, DriveStyleFoldersNormaliseAndJoin) {
  EXPECT_EQ(NormalizeFolderPath("C:\\UO\\\\\\"), "C:\\UO");
  EXPECT_EQ(NormalizeFolderPath("  C:\\UO  "), "C:\\UO");
  EXPECT_EQ(JoinFilePath(NormalizeFolderPath("C:\\"), "StaIdx0.mul"), "C:\\StaIdx0.mul");
  EXPECT_EQ(JoinFilePath(NormalizeFolderPath("\\\\\\"), "Map0.mul"), "\\Map0.mul");
  // Wine's drive C, typed as a user types it.
  tree_.File("Map0.mul", 4);
  const std::string typed = tree_.Root() + "\\\\ ";
  EXPECT_EQ(FileByteSize(JoinFilePath(NormalizeFolderPath(typed), "Map0.mul")), 4u);
}

TEST_F(Win32Probes, NonAsciiNamesReachTheFileSystemInTheCodePage) {
  // "Ä" exists in every Western code page.
  const std::string file = tree_.File("\xC3\x84rger/Map0.mul", 6);
  EXPECT_TRUE(FileIsPresent(file));
  EXPECT_EQ(FileByteSize(file), 6u);
  EXPECT_FALSE(IsCodePageLeadByte('\\'));
}

}  // namespace
}  // namespace sqp
