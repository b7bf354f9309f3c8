#include "sqpmain/file_extension.h"

#include <gtest/gtest.h>

namespace sqp {
namespace {

bool NoLeadBytes(unsigned char) { return false; }
// Shift-JIS: 0x81-0x9F and 0xE0-0xFC start a double-byte character.
bool ShiftJisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::string WindowsExtension(std::string_view path, LeadByteTest lead = NoLeadBytes) {
  return ExtractFileExtension(path, "\\:", lead);
}

TEST(FileExtension, IsTheTextFromTheLastDotUnlessASeparatorFollows) {
  EXPECT_EQ(WindowsExtension("C:\\patch\\north.sq2"), ".sq2");
  EXPECT_EQ(WindowsExtension("north.sq2.bak"), ".bak");
  EXPECT_EQ(WindowsExtension("C:\\x.sq2\\patch"), "");
  EXPECT_EQ(WindowsExtension("x.sq2:stream"), "");
  EXPECT_EQ(WindowsExtension("north"), "");
  EXPECT_EQ(WindowsExtension("north."), ".");
  EXPECT_EQ(WindowsExtension(".sq2"), ".sq2");
  EXPECT_EQ(WindowsExtension(""), "");
  EXPECT_EQ(ExtractFileExtension("/home/u/x.sq2/patch", "/", NoLeadBytes), "");
  EXPECT_EQ(ExtractFileExtension("/home/u/x.sq2\\patch", "/", NoLeadBytes), ".sq2\\patch");
}

TEST(FileExtension, SecondBytesOfDoubleByteCharactersAreNotSeparators) {
  // 0x95 0x5C: the second byte is a backslash only when read byte by byte.
  EXPECT_EQ(WindowsExtension("a.sq2\x95\x5C", ShiftJisLeadByte), ".sq2\x95\x5C");
  EXPECT_EQ(WindowsExtension("a.sq2\x95\x5C", NoLeadBytes), "");
}

TEST(FileExtension, PatchFilesEndInSq2InAnyAsciiCase) {
  EXPECT_TRUE(HasPatchFileExtension("north.sq2"));
  EXPECT_TRUE(HasPatchFileExtension("NORTH.SQ2"));
  EXPECT_TRUE(HasPatchFileExtension("n.Sq2"));
  EXPECT_FALSE(HasPatchFileExtension("north.sq2.bak"));
  EXPECT_FALSE(HasPatchFileExtension("north.sq"));
  EXPECT_FALSE(HasPatchFileExtension("north.sq2 "));
  EXPECT_FALSE(HasPatchFileExtension(""));
  EXPECT_FALSE(HasPatchFileExtension("x.sq2/patch"));
  // Only A to Z are lowered: a capital outside ASCII stays and is refused.
  EXPECT_EQ(LowerAsciiOnly("\xC3\x84.SQ2"), "\xC3\x84.sq2");
  EXPECT_FALSE(HasPatchFileExtension("north.\xC5\x9AQ2"));
}

}  // namespace
}  // namespace sqp
