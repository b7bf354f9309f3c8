#include "probes/folder_path.h"

#include <gtest/gtest.h>

namespace sqp {
namespace {

// The rules as the Windows build applies them, with the backslash.
std::string Windows(std::string_view text) { return NormalizeFolderPath(text, '\\'); }

TEST(NormalizeFolderPath, StripsTrailingBackslashesAndOuterBlanks) {
  EXPECT_EQ(Windows("C:\\UO\\\\\\"), "C:\\UO");
  EXPECT_EQ(Windows("C:\\UO\\ \\"), "C:\\UO");
  EXPECT_EQ(Windows("  C:\\UO  "), "C:\\UO");
  EXPECT_EQ(Windows("C:\\"), "C:");
  EXPECT_EQ(Windows("\tC:\\UO\t"), "C:\\UO");
  EXPECT_EQ(Windows(" \t\r\n C:\\UO\\ \x01"), "C:\\UO\\");
}

TEST(NormalizeFolderPath, KeepsABackslashThatABlankFollows) {
  // Only the very last character is looked at before each trim.
  EXPECT_EQ(Windows("C:\\UO\\ "), "C:\\UO\\");
  EXPECT_EQ(JoinFilePath(Windows("C:\\UO\\ "), "StaIdx0.mul"),
            std::string("C:\\UO\\") + kPathDelimiter + "StaIdx0.mul");
}

TEST(NormalizeFolderPath, StripsOnlyItsOwnDelimiter) {
  EXPECT_EQ(Windows("C:\\UO/"), "C:\\UO/");
  EXPECT_EQ(NormalizeFolderPath("/home/u/uo\\", '/'), "/home/u/uo\\");
  EXPECT_EQ(NormalizeFolderPath("/home/u/uo///", '/'), "/home/u/uo");
}

TEST(NormalizeFolderPath, LeavesNothingOfSeparatorsAndBlanks) {
  for (std::string_view text : {"", "\\", "\\\\\\", "     ", "\x01\x1f "}) {
    EXPECT_EQ(Windows(text), "") << "for \"" << text << "\"";
  }
  EXPECT_EQ(NormalizeFolderPath(std::string_view("\0\0", 2), '/'), "");
  // A blank at the very end keeps the backslashes from being stripped.
  EXPECT_EQ(Windows(" \\ \\ "), "\\ \\");
}

TEST(NormalizeFolderPath, TrimsOnlyCodesUpTo32) {
  EXPECT_EQ(Windows("\xA0UO\xA0"), "\xA0UO\xA0");  // non-breaking blank, single byte
  EXPECT_EQ(Windows("\xC2\xA0UO\xC2\xA0"), "\xC2\xA0UO\xC2\xA0");  // the same in UTF-8
  EXPECT_EQ(Windows("\x7FUO\x7F"), "\x7FUO\x7F");
}

TEST(JoinFilePath, PutsTheFileNameBehindOneDelimiter) {
  const std::string empty_folder_file = JoinFilePath("", "StaIdx0.mul");
  EXPECT_EQ(empty_folder_file, std::string(1, kPathDelimiter) + "StaIdx0.mul");
  EXPECT_EQ(JoinFilePath("uo", "Map0.mul"), std::string("uo") + kPathDelimiter + "Map0.mul");
}

}  // namespace
}  // namespace sqp
