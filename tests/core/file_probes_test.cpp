#include "probes/file_probes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_tree.h"

namespace sqp {
namespace {

using testing::Separator;
using testing::SetModificationTime;
using testing::SetReadOnly;
using testing::TempTree;
using testing::UnmeasurableFile;

// The code and message a call of FileByteSize fails with.
struct Failure {
  int code;
  std::string message;
  bool operator==(const Failure&) const = default;
};
void PrintTo(const Failure& f, std::ostream* out) { *out << f.code << " \"" << f.message << "\""; }

Failure SizeFailure(const std::string& path) {
  try {
    const std::uint32_t size = FileByteSize(path);
    return {-1, "measured " + std::to_string(size)};
  } catch (const EInOutError& error) {
    return {error.ErrorCode(), error.what()};
  }
}

class FileProbes : public ::testing::Test {
 protected:
  TempTree tree_;
};

TEST(InOutErrorMessage, ComesFromTheRuntimesTable) {
  EXPECT_EQ(InOutErrorMessage(2), "Datei nicht gefunden");
  EXPECT_EQ(InOutErrorMessage(3), "Ungültiger Dateiname");
  EXPECT_EQ(InOutErrorMessage(4), "Zu viele geöffnete Dateien");
  EXPECT_EQ(InOutErrorMessage(5), "Dateizugriff verweigert");
  EXPECT_EQ(InOutErrorMessage(100), "Versuch hinter dem Dateiende zu lesen");
  EXPECT_EQ(InOutErrorMessage(101), "Zu wenig Speicherplatz");
  EXPECT_EQ(InOutErrorMessage(106), "Ungültige numerische Eingabe");
  EXPECT_EQ(InOutErrorMessage(32), "E/A-Fehler 32");
  EXPECT_EQ(InOutErrorMessage(1), "E/A-Fehler 1");
  EXPECT_EQ(EInOutError(6).what(), std::string("E/A-Fehler 6"));
}

TEST_F(FileProbes, PresenceCountsFilesOnly) {
  const std::string file = tree_.File("uo/Map0.mul");
  EXPECT_TRUE(FileIsPresent(file));
  EXPECT_FALSE(FileIsPresent(tree_.Folder("uo/StaIdx0.mul")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("uo/Statics0.mul")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("missing/Map0.mul")));
  EXPECT_FALSE(FileIsPresent(""));
  EXPECT_FALSE(FileIsPresent(tree_.Root()));
  EXPECT_FALSE(FileIsPresent(file + Separator()));
  EXPECT_TRUE(FileIsPresent(tree_.File("uo/.hidden.mul")));
}

#ifndef _WIN32
TEST_F(FileProbes, PresenceCountsSpecialFiles) {
  EXPECT_TRUE(FileIsPresent(tree_.Fifo("uo/pipe.mul")));
  EXPECT_TRUE(FileIsPresent(tree_.Socket("uo/socket.mul")));
}
#endif

TEST_F(FileProbes, PresenceIgnoresTheLastWriteTime) {
  // Files dated outside the DOS range (1980 to 2107) are still files.
  for (int year : {1970, 1979, 1980, 2107, 2110}) {
    const std::string file = tree_.File("dated/" + std::to_string(year) + ".mul");
    SetModificationTime(file, year, 6, 1);
    EXPECT_TRUE(FileIsPresent(file)) << year;
  }
}

TEST_F(FileProbes, NamesMatchWithoutRegardToLetterCase) {
  tree_.File("Wine/drive_c/UO/staidx0.mul", 7);
  EXPECT_TRUE(FileIsPresent(tree_.Path("Wine/drive_c/UO/StaIdx0.mul")));
  EXPECT_TRUE(FileIsPresent(tree_.Path("wine/DRIVE_C/uo/STAIDX0.MUL")));
  EXPECT_TRUE(FileIsWriteable(tree_.Path("WINE/drive_c/uo/StaIdx0.mul")));
  EXPECT_EQ(FileByteSize(tree_.Path("wine/drive_c/Uo/StaIdx0.mul")), 7u);
}

#ifndef _WIN32
// Only a file system that tells case apart can hold these names side by side.
TEST_F(FileProbes, OnlyAsciiLettersFold) {
  tree_.File("Wine/\xC3\xA4.mul");
  EXPECT_FALSE(FileIsPresent(tree_.Path("Wine/\xC3\x84.mul")));
}

TEST_F(FileProbes, TheExactNameWinsOverACaseVariant) {
  tree_.File("uo/map0.mul", 1);
  tree_.File("uo/Map0.mul", 2);
  tree_.File("uo/MAP0.MUL", 3);
  EXPECT_EQ(FileByteSize(tree_.Path("uo/Map0.mul")), 2u);
  EXPECT_EQ(FileByteSize(tree_.Path("uo/MAP0.MUL")), 3u);
}
#endif

TEST_F(FileProbes, WildcardsWorkInTheLastComponentOnly) {
  tree_.File("patches/north.sq2");
  EXPECT_TRUE(FileIsPresent(tree_.Path("patches/*.sq2")));
  EXPECT_TRUE(FileIsPresent(tree_.Path("patches/*.SQ2")));
  EXPECT_TRUE(FileIsPresent(tree_.Path("patches/nort?.sq2")));
  EXPECT_TRUE(FileIsPresent(tree_.Path("patches/n>rth.sq2")));  // ">" is "?" too
  EXPECT_FALSE(FileIsPresent(tree_.Path("patches/*.sq3")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("patc?es/north.sq2")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("*/north.sq2")));
  // "*" matches "." first, and a folder is not present.
  EXPECT_FALSE(FileIsPresent(tree_.Path("patches/*")));
}

// Only the presence probe expands a pattern; the attribute and size probes
// look for an entry of that very name, and where there is none the name is
// invalid, as "*" and "?" are in Windows names.
TEST_F(FileProbes, OnlyPresenceExpandsWildcards) {
  tree_.File("patches/north.sq2", 7);
#ifndef _WIN32
  tree_.File("literal/a*.mul", 3);
  SetReadOnly(tree_.File("literal/abc.mul", 5));
#endif
  struct Case {
    const char* path;
    bool present;
    bool writeable;
    int size;  // negative: FileByteSize fails with that code
  };
  const Case cases[] = {
      {"patches/*.sq2", true, false, -123},
      {"patches/nort?.SQ2", true, false, -123},
      {"patc?es/north.sq2", false, false, -123},
      // Characters no Windows name holds make an invalid name.
      {"patches/north<sq2", false, false, -123},
      {"patches/nort|.sq2", false, false, -123},
      {"patches/\"north.sq2", false, false, -123},
      {"patches/north.sq2\t", false, false, -123},
#ifndef _WIN32
      {"literal/a*.mul", true, true, 3},
      {"literal/A*.MUL", true, true, 3},
      {"literal/a?c.mul", true, false, -123},
      {"literal/abc.mul", true, false, 5},
#endif
  };
  for (const Case& c : cases) {
    const std::string path = tree_.Path(c.path);
    EXPECT_EQ(FileIsPresent(path), c.present) << c.path;
    EXPECT_EQ(FileIsWriteable(path), c.writeable) << c.path;
    const Failure size = SizeFailure(path);
    if (c.size < 0) {
      EXPECT_EQ(size.code, -c.size) << c.path << ": " << size.message;
    } else {
      EXPECT_EQ(size, (Failure{-1, "measured " + std::to_string(c.size)})) << c.path;
    }
  }
  for (char control = 1; control < 32; ++control) {
    EXPECT_EQ(SizeFailure(tree_.Path("patches/north") + control).code, 123) << int{control};
  }
}

TEST_F(FileProbes, AWildcardWhoseFirstMatchIsAFolderIsNotPresent) {
  tree_.Folder("only-folder/a.sq2");
  EXPECT_FALSE(FileIsPresent(tree_.Path("only-folder/*.sq2")));
}

TEST_F(FileProbes, RelativePathsStartAtTheCurrentFolder) {
  tree_.File("here/Map0.mul");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(tree_.Path("here"));
  const bool present = FileIsPresent("Map0.mul");
  std::string dotted = "./../here/map0.mul";
  std::replace(dotted.begin(), dotted.end(), '/', Separator()[0]);
  const bool present_dotted = FileIsPresent(dotted);
  std::filesystem::current_path(previous);
  EXPECT_TRUE(present);
  EXPECT_TRUE(present_dotted);
}

TEST_F(FileProbes, ReadOnlyIsTheOwnersWriteBit) {
  const std::string file = tree_.File("uo/Statics0.mul");
  EXPECT_TRUE(FileIsWriteable(file));
  SetReadOnly(file);
  EXPECT_FALSE(FileIsWriteable(file));
  SetReadOnly(file, false);
  EXPECT_TRUE(FileIsWriteable(file));
  EXPECT_FALSE(FileIsWriteable(tree_.Path("uo/missing.mul")));
  EXPECT_FALSE(FileIsWriteable(""));
}

#ifndef _WIN32
TEST_F(FileProbes, OnlyTheOwnersWriteBitCounts) {
  // Group and other bits do not count; neither does who asks (root included).
  const std::string file = tree_.File("uo/Statics0.mul");
  testing::SetMode(file, 0577);
  EXPECT_FALSE(FileIsWriteable(file));
  testing::SetMode(file, 0200);
  EXPECT_TRUE(FileIsWriteable(file));
}
#endif

TEST_F(FileProbes, SizeIsTheLow32BitsOfTheLength) {
  EXPECT_EQ(FileByteSize(tree_.File("empty.mul", 0)), 0u);
  EXPECT_EQ(FileByteSize(tree_.File("t2a.mul", 21971754)), 21971754u);
  EXPECT_EQ(FileByteSize(tree_.File("big.mul", (std::uint64_t{1} << 32) + 5)), 5u);
  EXPECT_EQ(FileByteSize(tree_.File("max.mul", 0xFFFFFFFFu)), 0xFFFFFFFFu);
}

TEST_F(FileProbes, SizeOfAReadOnlyFileIsMeasured) {
  // Opened for reading only, so the files of a real CD can be measured.
  const std::string file = tree_.File("cd/Statics0.mul", 19171873);
  SetReadOnly(file);
  EXPECT_EQ(FileByteSize(file), 19171873u);
}

#ifndef _WIN32
TEST_F(FileProbes, SizeOfAFileWithoutAnyWriteBitIsMeasured) {
  const std::string file = tree_.File("cd/Statics0.mul", 19171873);
  testing::SetMode(file, 0444);
  EXPECT_EQ(FileByteSize(file), 19171873u);
}

TEST_F(FileProbes, SizeNeverBlocksOnAFifo) {
  EXPECT_EQ(FileByteSize(tree_.Fifo("cd/Statics0.mul")), 0u);
}
#endif

TEST_F(FileProbes, SizeFailuresCarryTheTablesCodes) {
  EXPECT_EQ(SizeFailure(tree_.Path("none.mul")), (Failure{2, "Datei nicht gefunden"}));
  EXPECT_EQ(SizeFailure(tree_.Path("no-folder/none.mul")), (Failure{3, "Ungültiger Dateiname"}));
  EXPECT_EQ(SizeFailure(tree_.Folder("Statics0.mul")), (Failure{5, "Dateizugriff verweigert"}));
  // A code without a row of its own.
  const UnmeasurableFile held(tree_, "s/Statics0.mul");
  EXPECT_EQ(SizeFailure(held.Path()),
            (Failure{held.Code(), "E/A-Fehler " + std::to_string(held.Code())}));
  EXPECT_EQ(SizeFailure(std::string("a\0b", 3)), (Failure{3, "Ungültiger Dateiname"}));
}

#ifndef _WIN32
TEST_F(FileProbes, SymlinksAreFollowed) {
  const std::string target = tree_.File("real/Statics0.mul", 21971754);
  tree_.Symlink("linked", tree_.Path("real"));
  tree_.Symlink("cd/Statics0.mul", target);
  tree_.Symlink("cd/Map0.mul", tree_.Path("real/gone.mul"));
  EXPECT_EQ(FileByteSize(tree_.Path("linked/Statics0.mul")), 21971754u);
  EXPECT_EQ(FileByteSize(tree_.Path("cd/Statics0.mul")), 21971754u);
  EXPECT_FALSE(FileIsPresent(tree_.Path("cd/Map0.mul")));
  EXPECT_FALSE(FileIsPresent(tree_.Path("linked")));
}
#endif

TEST_F(FileProbes, LongPathsAreRefusedInOrder) {
  // Longer than the kernel takes: not present, and a size failure, no crash.
  std::string deep = tree_.Root();
  while (deep.size() < 70000) deep += Separator() + "abcdefghij";
  const std::string deep_file = deep + Separator() + "Map0.mul";
  EXPECT_FALSE(FileIsPresent(deep_file));
  EXPECT_FALSE(FileIsWriteable(deep_file));
  EXPECT_EQ(SizeFailure(deep_file).code, 3);
  const std::string long_name = tree_.Root() + Separator() + std::string(300, 'x');
  EXPECT_FALSE(FileIsPresent(long_name));
}

}  // namespace
}  // namespace sqp
