#include "probes/folder_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

#ifndef _WIN32
TEST(NormalizeFolderPath, StripsBothSeparatorsAfterADriveLetterOnLinux) {
  const struct {
    const char* text;
    const char* folder;
  } cases[] = {
      {"C:\\UO\\/\\", "C:\\UO"}, {" c:/uo/", "c:/uo"},      {"C:\\", "C:"},
      {"C:/ \\", "C:"},          {"C:\\UO\\ ", "C:\\UO\\"}, {"/home/u/uo\\/", "/home/u/uo\\"},
      {"C:UO\\", "C:UO\\"},      {"~/uo/", "~/uo"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeFolderPath(c.text), c.folder) << c.text;
}
#endif

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

// The rule step by step as it reads: blank out the last delimiter, trim, repeat.
std::string NormalizeLiterally(std::string text, char delimiter) {
  while (!text.empty() && text.back() == delimiter) {
    text.back() = ' ';
    text = TrimControlAndBlanks(text);
  }
  return TrimControlAndBlanks(text);
}

TEST(NormalizeFolderPath, AgreesWithTheRuleOnEveryShortText) {
  const std::string alphabet("\\/ \t\0a\xA0", 7);
  int compared = 0;
  for (std::size_t length = 0; length <= 6; ++length) {
    std::vector<std::size_t> digits(length, 0);
    for (;;) {
      std::string text;
      for (std::size_t digit : digits) text += alphabet[digit];
      for (char delimiter : {'\\', '/'}) {
        ASSERT_EQ(NormalizeFolderPath(text, delimiter), NormalizeLiterally(text, delimiter))
            << "text of " << length << " bytes, delimiter " << delimiter;
        ++compared;
      }
      std::size_t i = 0;
      while (i < length && ++digits[i] == alphabet.size()) digits[i++] = 0;
      if (i == length) break;
    }
  }
  EXPECT_EQ(compared, 2 * (1 + 7 + 49 + 343 + 2401 + 16807 + 117649));
}

TEST(NormalizeFolderPath, StripsAMillionDelimitersInOnePass) {
  // Text was copied once per stripped delimiter: a pasted run of slashes
  // froze the window for minutes. The result must still be the rule's.
  std::string text = "uo";
  text.append(1'000'000, '/');
  EXPECT_EQ(NormalizeFolderPath(text, '/'), "uo");
  text.append(" \t/");
  EXPECT_EQ(NormalizeFolderPath(text, '/'), "uo");
}

TEST(JoinFilePath, PutsTheFileNameBehindOneDelimiter) {
  const std::string empty_folder_file = JoinFilePath("", "StaIdx0.mul");
  EXPECT_EQ(empty_folder_file, std::string(1, kPathDelimiter) + "StaIdx0.mul");
  EXPECT_EQ(JoinFilePath("uo", "Map0.mul"), std::string("uo") + kPathDelimiter + "Map0.mul");
}

}  // namespace
}  // namespace sqp
