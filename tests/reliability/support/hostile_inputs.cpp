// Hostile folder texts and command lines, each with what the user sees.
#include "support/hostile_inputs.h"

#include <string>
#include <vector>

#include "support/temp_tree.h"

namespace sqp::testing {
namespace {

constexpr std::uint64_t kSecondAge = 21971754;
constexpr std::uint64_t kFourGiB = 4ull << 30;

HostileInput Folders(std::string text, Via via = Via::kStartupFolders) {
  return {via, std::move(text), {}};
}
HostileInput Line(std::string line) { return {Via::kWindowsLine, std::move(line), {}}; }
HostileInput Argv(std::vector<std::string> argv) { return {Via::kArgv, {}, std::move(argv)}; }

// A client folder that passes both checks, named "d" unless told.
std::string GoodFolder(const TempTree& tree, const std::string& name = "d") {
  MakeMapFiles(tree, name, kSecondAge);
  return tree.Path(name);
}

// A folder holding StaIdx0.mul and Map0.mul; the test puts Statics0.mul.
std::string FolderWithoutStatics(const TempTree& tree) {
  tree.File("d/StaIdx0.mul", 100);
  tree.File("d/Map0.mul", 200);
  return tree.Path("d");
}

// A folder text of exactly `length` characters that names the tree's root
// through real folders: down a chain of long folder names, back up with
// "..", then "." as often as it takes.
std::string LongTextForTheRoot(const TempTree& tree, std::size_t length, int levels) {
  std::string text = tree.Root() + "/";
  std::string chain;
  for (int level = 0; level < levels; ++level) chain += std::string(40 + level, 'd') + "/";
  tree.Folder(chain);
  text += chain;
  for (int level = 0; level < levels; ++level) text += "../";
  text.pop_back();
  if ((length - text.size()) % 2 != 0) text.insert(tree.Root().size(), "/");
  while (text.size() < length) text += "/.";
  return text;
}

// "*?" over and over: every step of the matcher has a choice to make.
std::string LongWildcard() {
  std::string pattern;
  while (pattern.size() < 65536) pattern += "*?";
  return pattern;
}

// `start` and "/..." `count` times, which names no folder.
std::string DotNames(std::string start, int count) {
  for (int i = 0; i < count; ++i) start += "/...";
  return start;
}

// The map files in the root, and below it a folder text of "/..." names.
HostileInput DotFolders(const TempTree& tree, int count, Via via) {
  MakeMapFiles(tree, "", kSecondAge);
  return Folders(DotNames(tree.Root(), count), via);
}

const Outcome kAllFound = {"WWW", "FFF", "The Second Age", true, {}, 0};
const Outcome kFoundUnknownEdition = {"WWW", "FFF", "Unknown", true, {}, 0};
const Outcome kNothingFound = {};
const Outcome kStaticsMissing = {"WNW", "FNF", "Path not correct!", false, {}, 0};

}  // namespace

std::vector<HostileCase> HostileInputCases() {
  std::vector<HostileCase> cases = {
      // Odd entries named "Statics0.mul".
      {"a FIFO named Statics0.mul is found, measures 0 bytes and never blocks",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Fifo("d/Statics0.mul");
         return Folders(folder);
       },
       kFoundUnknownEdition},
      {"a link to /dev/null named Statics0.mul is a 0-byte file",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Symlink("d/Statics0.mul", "/dev/null");
         return Folders(folder);
       },
       kFoundUnknownEdition},
      {"a link to /dev/zero named Statics0.mul is measured, never read",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Symlink("d/Statics0.mul", "/dev/zero");
         return Folders(folder);
       },
       kFoundUnknownEdition},
      {"a socket named Statics0.mul is found, and its open fails with code 6",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Socket("d/Statics0.mul");
         return Folders(folder);
       },
       {"WWW", "FFF", "UOCDTypeResultLabel", true, {ReporterBoxText("E/A-Fehler 6.")}, 0}},
      {"a dangling symlink named Statics0.mul is not found",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Symlink("d/Statics0.mul", t.Path("nowhere"));
         return Folders(folder);
       },
       kStaticsMissing},
      {"a symlink loop named Statics0.mul is not found",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Symlink("d/Statics0.mul", "Statics0.mul");
         return Folders(folder);
       },
       kStaticsMissing},
      {"a folder named Statics0.mul is not found",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.Folder("d/Statics0.mul");
         return Folders(folder);
       },
       kStaticsMissing},
      {"a read-only Statics0.mul fails the client check only",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetReadOnly(t.Path("d/Statics0.mul"));
         return Folders(folder);
       },
       {"WRW", "FFF", "The Second Age", false, {}, 0}},
      {"an empty Statics0.mul measures 0 bytes",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.File("d/Statics0.mul", 0);
         return Folders(folder);
       },
       kFoundUnknownEdition},
      {"a sparse Statics0.mul of 4 GiB and 5 bytes measures 5 bytes",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.File("d/Statics0.mul", kFourGiB + 5);
         return Folders(folder);
       },
       kFoundUnknownEdition},
      {"only the low 32 bits of the size name the edition",
       [](const TempTree& t) {
         const std::string folder = FolderWithoutStatics(t);
         t.File("d/Statics0.mul", kFourGiB + kSecondAge);
         return Folders(folder);
       },
       kAllFound},

      // Odd folders.
      {"a folder that is a symlink loop finds nothing",
       [](const TempTree& t) { return Folders(t.Symlink("loop", t.Path("loop"))); }, kNothingFound},
      {"a symlink to a folder is followed",
       [](const TempTree& t) {
         GoodFolder(t, "real");
         return Folders(t.Symlink("link", t.Path("real")));
       },
       kAllFound},
      {"a folder text of 259 characters: Linux takes it",
       [](const TempTree& t) {
         MakeMapFiles(t, "", kSecondAge);
         return Folders(LongTextForTheRoot(t, 259, 3));
       },
       kAllFound},
      {"a folder text of 260 characters, typed key by key",
       [](const TempTree& t) {
         MakeMapFiles(t, "", kSecondAge);
         return Folders(LongTextForTheRoot(t, 260, 3), Via::kTypedFolders);
       },
       kAllFound},
      // The steps are taken in the text, so the kernel never sees its length.
      {"a folder text of 4096 characters that steps back to the root",
       [](const TempTree& t) {
         MakeMapFiles(t, "", kSecondAge);
         return Folders(LongTextForTheRoot(t, 4096, 40));
       },
       kAllFound},
      {"a folder text of 65536 characters that steps back to the root",
       [](const TempTree& t) {
         MakeMapFiles(t, "", kSecondAge);
         return Folders(LongTextForTheRoot(t, 65536, 40));
       },
       kAllFound},
      {"a folder text of 256 KiB of \"/.\" steps costs no more than its length",
       [](const TempTree& t) {
         MakeMapFiles(t, "", kSecondAge);
         return Folders(LongTextForTheRoot(t, std::size_t{1} << 18, 40));
       },
       kAllFound},
      {"a folder argument of 120 KB of \"/...\" names no folder",
       [](const TempTree& t) { return DotFolders(t, 30000, Via::kStartupFolders); }, kNothingFound},
      {"a megabyte of \"/...\" pasted: no folder to check, complete or start the picker in",
       [](const TempTree& t) { return DotFolders(t, 1 << 18, Via::kPastedFolders); },
       kNothingFound},
      {"a folder text of one megabyte of trailing slashes is stripped",
       [](const TempTree& t) { return Folders(GoodFolder(t) + std::string(1 << 20, '/')); },
       kAllFound},

      // Odd characters in the folder text.
      {"a NUL inside the folder text names nothing",
       [](const TempTree& t) {
         return Folders(GoodFolder(t) + std::string(1, '\0') + "x", Via::kPastedFolders);
       },
       kNothingFound},
      {"NULs and control characters at the ends are trimmed",
       [](const TempTree& t) {
         return Folders(std::string("\0\x01\x1b", 3) + GoodFolder(t) + std::string("\x1f\0", 2),
                        Via::kPastedFolders);
       },
       kAllFound},
      {"control characters typed key by key around the folder",
       [](const TempTree& t) {
         return Folders("\t\x02" + GoodFolder(t) + "\r\n", Via::kTypedFolders);
       },
       kAllFound},
      {"DEL (127) is not trimmed",
       [](const TempTree& t) { return Folders(GoodFolder(t) + "\x7f"); }, kNothingFound},
      {"a folder named with the bytes 0x80 to 0xFF",
       [](const TempTree& t) {
         std::string name;
         for (int byte = 0x80; byte <= 0xFF; ++byte) name += static_cast<char>(byte);
         return Folders(GoodFolder(t, name));
       },
       kAllFound},
      {"a folder named with the bytes 0x80 to 0xFF, typed key by key",
       [](const TempTree& t) {
         std::string name;
         for (int byte = 0x80; byte <= 0xFF; ++byte) name += static_cast<char>(byte);
         return Folders(GoodFolder(t, name), Via::kTypedFolders);
       },
       kAllFound},
      {"a folder whose name is invalid UTF-8, typed key by key",
       [](const TempTree& t) {
         return Folders(GoodFolder(t, "\xC3\x28\xFF\xE2\x82"), Via::kTypedFolders);
       },
       kAllFound},
      {"\"*\" as the folder finds nothing: no wildcard in a folder",
       [](const TempTree& t) {
         GoodFolder(t, "work/sub/x");
         return Folders("*");
       },
       kNothingFound},
      {"\"?\" as the folder finds nothing",
       [](const TempTree& t) {
         GoodFolder(t, "work/sub/x");
         return Folders("?");
       },
       kNothingFound},
      {"\"[\" is an ordinary folder name",
       [](const TempTree& t) {
         GoodFolder(t, "work/sub/[");
         return Folders("[");
       },
       kAllFound},
      {"\"..\" is the parent of the current folder",
       [](const TempTree& t) {
         GoodFolder(t, "work");
         return Folders("..");
       },
       kAllFound},
      {"\".\" is the current folder",
       [](const TempTree& t) {
         GoodFolder(t, "work/sub");
         return Folders(".", Via::kTypedFolders);
       },
       kAllFound},
      {"trailing slashes are stripped",
       [](const TempTree& t) { return Folders(GoodFolder(t) + "///"); }, kAllFound},
      {"a trailing backslash is part of the name on Linux",
       [](const TempTree& t) { return Folders(GoodFolder(t) + "\\"); }, kNothingFound},
      {"trailing blanks are trimmed",
       [](const TempTree& t) { return Folders("  " + GoodFolder(t) + "   ", Via::kTypedFolders); },
       kAllFound},
      {"trailing tabs are trimmed",
       [](const TempTree& t) { return Folders(GoodFolder(t) + "\t\t"); }, kAllFound},
      {"a trailing non-breaking blank (160, in UTF-8) is not trimmed",
       [](const TempTree& t) { return Folders(GoodFolder(t) + "\xC2\xA0"); }, kNothingFound},
      {"a trailing single byte 160 is not trimmed",
       [](const TempTree& t) { return Folders(GoodFolder(t) + "\xA0"); }, kNothingFound},
      {"a folder text of only blanks and slashes probes the root folder",
       [](const TempTree&) { return Folders(" / \t//", Via::kTypedFolders); }, kNothingFound},

      // Odd command lines.
      {"1000 arguments are refused with the usage text",
       [](const TempTree& t) { return Argv(std::vector<std::string>(1000, t.Path("north.sq2"))); },
       {"LLL", "LLL", "UOCDTypeResultLabel", false, UsageBoxes(), 1}},
      {"1000 words on a Windows command line",
       [](const TempTree&) {
         std::string line = "sqpatch.exe";
         for (int i = 0; i < 1000; ++i) line += " word" + std::to_string(i);
         return Line(line);
       },
       {"LLL", "LLL", "UOCDTypeResultLabel", false, UsageBoxes(), 1}},
      {"a command line of one megabyte in one word",
       [](const TempTree&) { return Line("sqpatch.exe " + std::string(1 << 20, 'q') + ".sq2"); },
       {"NNN",
        "NNN",
        "Path not correct!",
        false,
        {ErrorBoxText(std::string(1 << 20, 'q') + ".sq2 does not exist!", true)},
        1}},
      {"a command line of one megabyte of separators and quote pairs",
       [](const TempTree& t) {
         std::string line = "sqpatch.exe " + t.Path("north.sq2");
         while (line.size() < (1 << 20)) line += " \t\"\"\x01";
         return Line(line);
       },
       kNothingFound},
      {"an unbalanced quote runs to the end of the line",
       [](const TempTree& t) { return Line("sqpatch.exe \"" + t.File("patch folder/south.sq2")); },
       kNothingFound},
      {"an unbalanced quote swallows the folders into one argument",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         return Line("sqpatch.exe " + t.Path("north.sq2") + " \"" + folder + " " + folder);
       },
       {"LLL", "LLL", "UOCDTypeResultLabel", false, UsageBoxes(), 1}},
      {"a NUL ends the command line",
       [](const TempTree& t) {
         return Line("sqpatch.exe " + t.Path("north.sq2") + std::string(1, '\0') + " a b");
       },
       kNothingFound},
      {"control characters separate words",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         return Line("sqpatch.exe\x01" + t.Path("north.sq2") + "\x1f" + folder + "\x0b\x7f" +
                     folder);
       },
       // The third word starts with DEL, which is no separator: no such folder.
       {"WWW", "NNN", "Path not correct!", true, {}, 0}},
      {"an empty argument ends the arguments",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         return Argv({t.Path("north.sq2"), "", folder, folder});
       },
       kNothingFound},
      {"a patch file name that is a FIFO counts as present",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         return Argv({t.Fifo("pipe.sq2"), folder, folder});
       },
       kAllFound},
      {"a patch file name that is a socket counts as present",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         return Argv({t.Socket("sock.sq2"), folder, folder});
       },
       kAllFound},
      {"a wildcard patch file name counts as present when its first match is a file",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         return Argv({t.Path("*.SQ2"), folder, folder});
       },
       kAllFound},
      {"a patch file name of 120 KB of \"/...\" does not exist",
       [](const TempTree& t) { return Argv({DotNames(t.Root(), 30000)}); },
       {"NNN",
        "NNN",
        "Path not correct!",
        false,
        {ErrorBoxText(DotNames("{root}", 30000) + " does not exist!", true),
         ErrorBoxText(DotNames("{root}", 30000) + " is not a .sq2 file!", false)},
        1}},
      {"a wildcard patch file name of 65536 characters matches nothing",
       [](const TempTree& t) { return Argv({t.Path(LongWildcard())}); },
       {"NNN",
        "NNN",
        "Path not correct!",
        false,
        {ErrorBoxText("{root}/" + LongWildcard() + " does not exist!", true),
         ErrorBoxText("{root}/" + LongWildcard() + " is not a .sq2 file!", false)},
        1}},
  };
  return cases;
}

std::vector<HostileCase> UnprivilegedHostileInputCases() {
  return {
      // FindFirstFile lists the folder, so other spellings fail as well.
      {"a folder the user may not list hides even its exact names",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(folder, 0300);
         return Folders(folder, Via::kTypedFolders);
       },
       kNothingFound},
      {"a folder without search permission hides its files",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(folder, 0600);
         return Folders(folder);
       },
       kNothingFound},
      {"a folder on the way without search permission hides what lies below",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t, "outer/d");
         SetMode(t.Path("outer"), 0600);
         return Folders(folder, Via::kPastedFolders);
       },
       kNothingFound},
      {"a folder without any permission",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(folder, 0);
         return Folders(folder);
       },
       kNothingFound},
      {"a Statics0.mul the user may not read is found but cannot be measured",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(t.Path("d/Statics0.mul"), 0200);
         return Folders(folder);
       },
       {"WWW",
        "FFF",
        "UOCDTypeResultLabel",
        true,
        {ReporterBoxText("Dateizugriff verweigert.")},
        0}},
      {"a Statics0.mul without any permission is read-only and cannot be measured",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(t.Path("d/Statics0.mul"), 0);
         return Folders(folder);
       },
       {"WRW",
        "FFF",
        "UOCDTypeResultLabel",
        false,
        {ReporterBoxText("Dateizugriff verweigert.")},
        0}},
      {"unreadable StaIdx0.mul and Map0.mul are found: only Statics0.mul is opened",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(t.Path("d/StaIdx0.mul"), 0200);
         SetMode(t.Path("d/Map0.mul"), 0200);
         return Folders(folder);
       },
       kAllFound},
      {"a patch file the user may not read is present",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         const std::string patch = t.File("locked.sq2");
         SetMode(patch, 0);
         return HostileInput{Via::kArgv, {}, {patch, folder, folder}};
       },
       kAllFound},
      {"a patch file in a folder without search permission does not exist",
       [](const TempTree& t) {
         const std::string patch = t.File("hidden/south.sq2");
         SetMode(t.Path("hidden"), 0600);
         return HostileInput{Via::kArgv, {}, {patch}};
       },
       {"NNN",
        "NNN",
        "Path not correct!",
        false,
        {ErrorBoxText("{root}/hidden/south.sq2 does not exist!", true)},
        1}},
  };
}

}  // namespace sqp::testing
