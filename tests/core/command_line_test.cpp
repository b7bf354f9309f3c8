#include <gtest/gtest.h>

#include "cmdline/windows_command_line.h"

namespace sqp {
namespace {

using Words = std::vector<std::string>;

bool NoLeadBytes(unsigned char) { return false; }
// Shift-JIS: 0x81-0x9F and 0xE0-0xFC start a double-byte character.
bool ShiftJisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

Words Arguments(std::string_view line, LeadByteTest lead = NoLeadBytes) {
  return ArgumentsFromWords(SplitWindowsCommandLine(line, lead));
}

TEST(WindowsCommandLine, SeparatesWordsByBlanksAndControlCharacters) {
  EXPECT_EQ(SplitWindowsCommandLine("sqpatch.exe a.sq2 C:\\UO D:\\", NoLeadBytes),
            (Words{"sqpatch.exe", "a.sq2", "C:\\UO", "D:\\"}));
  EXPECT_EQ(Arguments("p \t a\x01"
                      "b\x1f\r\nc   "),
            (Words{"a", "b", "c"}));
  // Bytes above 127 are characters, not separators.
  EXPECT_EQ(Arguments("p \xA0x\xFF"), (Words{"\xA0x\xFF"}));
  EXPECT_EQ(Arguments(""), Words{});
  EXPECT_EQ(Arguments("sqpatch.exe"), Words{});
  EXPECT_EQ(Arguments("   "), Words{});
}

TEST(WindowsCommandLine, QuotedStretchesKeepBlanksAndJoinNeighbours) {
  EXPECT_EQ(Arguments("\"C:\\Program Files\\sq.exe\" \"my patch.sq2\" \"C:\\Ultima Online\" "
                      "\"D:\\UO CD\""),
            (Words{"my patch.sq2", "C:\\Ultima Online", "D:\\UO CD"}));
  EXPECT_EQ(Arguments("p C:\\\"Program Files\"\\UO"), (Words{"C:\\Program Files\\UO"}));
  EXPECT_EQ(Arguments("p a\"\"b"), (Words{"ab"}));
  // An unbalanced quote runs to the end of the line.
  EXPECT_EQ(Arguments("p \"a b   c"), (Words{"a b   c"}));
}

TEST(WindowsCommandLine, BackslashEscapesNothing) {
  EXPECT_EQ(Arguments("p \"C:\\UO\\\" next"), (Words{"C:\\UO\\", "next"}));
  EXPECT_EQ(Arguments("p a\\\"b c\""), (Words{"a\\b c"}));
}

TEST(WindowsCommandLine, EmptyQuotedWordsAreNoWords) {
  EXPECT_EQ(Arguments("p x.sq2 \"\" \"\""), (Words{"x.sq2"}));
  EXPECT_EQ(Arguments("p \"\" \"\" x.sq2"), (Words{"x.sq2"}));
  EXPECT_EQ(Arguments("p \"\"\"\"x"), (Words{"x"}));
  EXPECT_EQ(Arguments("p \"\"\" y"), (Words{" y"}));
  EXPECT_EQ(Arguments("p a \""), (Words{"a"}));
  // Even before the program's name: the first real word is that name.
  EXPECT_EQ(Arguments("\"\" a b"), (Words{"b"}));
}

TEST(WindowsCommandLine, TheLineEndsAtANulByte) {
  EXPECT_EQ(Arguments(std::string_view("p a\0b c", 7)), (Words{"a"}));
}

TEST(WindowsCommandLine, DoubleByteCharactersAreSteppedOverWhole) {
  // 0x94 0x5C is one character whose second byte is a backslash; 0x81 0x22
  // one whose second byte is a quote: neither acts as such.
  EXPECT_EQ(Arguments("p \"\x81\x22 x\" y", ShiftJisLeadByte), (Words{"\x81\x22 x", "y"}));
  EXPECT_EQ(Arguments("p \"\x81\x22 x\" y", NoLeadBytes), (Words{"\x81", "x y"}));
  // A lead byte at the very end stands alone.
  EXPECT_EQ(Arguments("p a\x81", ShiftJisLeadByte), (Words{"a\x81"}));
  // A lead byte does not swallow a separator or quote before it is reached.
  EXPECT_EQ(Arguments("p \x81\x20 b", ShiftJisLeadByte), (Words{"\x81\x20", "b"}));
}

TEST(WindowsCommandLine, ManyArgumentsAndLongLines) {
  std::string line = "p";
  for (int i = 0; i < 1000; ++i) line += " a" + std::to_string(i);
  const Words words = Arguments(line);
  ASSERT_EQ(words.size(), 1000u);
  EXPECT_EQ(words.back(), "a999");
  EXPECT_EQ(Arguments("p " + std::string(1 << 20, 'x')).at(0).size(), std::size_t{1} << 20);
}

TEST(ArgumentsFromArgv, CountsUpToTheFirstEmptyArgument) {
  const char* argv[] = {"sqpatch", "a.sq2", "", "/uo/cd", nullptr};
  EXPECT_EQ(ArgumentsFromArgv(4, argv), (Words{"a.sq2"}));
  const char* three[] = {"sqpatch", "a b.sq2", "/home/u/UO", "/media/cd", nullptr};
  EXPECT_EQ(ArgumentsFromArgv(4, three), (Words{"a b.sq2", "/home/u/UO", "/media/cd"}));
  const char* none[] = {"sqpatch", nullptr};
  EXPECT_EQ(ArgumentsFromArgv(1, none), Words{});
  EXPECT_EQ(ArgumentsFromArgv(0, none), Words{});
}

}  // namespace
}  // namespace sqp
