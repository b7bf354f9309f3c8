#include "differential_table.h"

#include <algorithm>
#include <set>

namespace sqp::differential {

namespace {

TreeEntry Folder(std::string path, int mode = kDefaultMode) {
  return {EntryKind::kFolder, std::move(path), 0, mode};
}
TreeEntry File(std::string path, std::uint64_t size, int mode = kDefaultMode) {
  return {EntryKind::kFile, std::move(path), size, mode};
}
TreeEntry Link(std::string path, std::string_view target) {
  return {EntryKind::kSymlink, std::move(path), 0, kDefaultMode, target};
}

// Sizes tell the back ends' answers apart: each file has its own.
std::vector<TreeEntry> MakeEntries() {
  // Short enough for the Windows calls below a root of up to 60 characters.
  const std::string long_name(180, 'n');
  return {
      // An installation.
      File("UO/Map0.mul", 1000),
      File("UO/StaIdx0.mul", 12),
      File("UO/statics0.mul", 0),
      File("UO/Sub/Inner.mul", 3),
      // Sizes around 32 bits.
      File("sizes/exact.mul", 4096),
      File("sizes/ffffffff.mul", 0xFFFFFFFFull),
      File("sizes/4g1.mul", 0x100000001ull),
      File("sizes/big.mul", 5ull * 1024 * 1024 * 1024 + 7),
      // Letter-case variants of one name, of files and of folders.
      File("case/MAP0.MUL", 1),
      File("case/Map0.mul", 2),
      File("case/map0.mul", 3),
      File("case/Only.mul", 4),
      File("case/DATA/x.mul", 5),
      File("case/Data/x.mul", 6),
      File("case/data/y.mul", 7),
      File("case/É.mul", 8),
      File("case/é.mul", 9),
      File("case/Ärger.mul", 10),
      // Characters either side of the letters in name order.
      File("order/_u.mul", 11),
      File("order/[.mul", 13),
      File("order/Z.mul", 14),
      File("order/b.mul", 12),
      File("order/M_file.mul", 15),
      Folder("order/m_dir"),
      // Names that are patterns themselves.
      File("pat/a?.mul", 20),
      File("pat/ab.mul", 21),
      File("pat/star*.mul", 22),
      Folder("pat/a_folder.mul"),
      // Trailing dots and blanks, dot names.
      File("dots/UO/m", 30),
      File("dots/real./f", 31),
      File("dots/blank /f", 33),
      File("dots/tail.", 32),
      File("dots/.hidden", 34),
      File("dots/..x", 35),
      // Read-only files and folders; unreadable ones.
      File("perm/rw.mul", 40),
      File("perm/owner_ro.mul", 41, 0444),
      File("perm/group_w.mul", 42, 0464),
      File("perm/other_w.mul", 43, 0446),
      File("perm/none.mul", 44, 0),
      File("perm/write_only.mul", 45, 0200),
      File("perm/ro_dir/f.mul", 46),
      Folder("perm/ro_dir", 0555),
      File("perm/no_list/f.mul", 47),
      Folder("perm/no_list", 0311),
      File("perm/no_search/f.mul", 48),
      Folder("perm/no_search", 0600),
      File("perm/closed/f.mul", 49),
      Folder("perm/closed", 0),
      // Folders named like files, and a file and a folder of one name.
      File("named/Map0.mul/inner", 50),
      File("named/BOTH", 51),
      Folder("named/both"),
      // Symbolic links.
      Link("links/tofile", "../UO/Map0.mul"),
      Link("links/todir", "../UO"),
      Link("links/dangling", "nowhere"),
      Link("links/loop", "loop"),
      Link("links/tofifo", "../special/fifo"),
      {EntryKind::kFifo, "special/fifo"},
      {EntryKind::kSocket, "special/sock"},
      // Names outside ASCII: in the Windows code page and outside it.
      File("intl/é.mul", 60),
      File("intl/日本.mul", 61),
      File("intl/Ärger/f.mul", 62),
      // Long names and long paths.
      File("long/" + long_name + ".mul", 70),
      File(DeepFilePath(), 71),
      File(LongestNamePath(), 72),
      // DOS device names, and a name with an 8.3 short form.
      File("dev/con", 80),
      File("dev/nul.mul", 81),
      File("dev/aux", 82),
      File("dev/com1.txt", 83),
      File("short/LongFileName.mul", 90),
      File("short/A Long Folder Name/f.mul", 91),
  };
}

std::string AsciiCase(std::string text, bool upper) {
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<std::string> MakeQueries() {
  std::vector<std::string> queries = {
      // The root, plain folders, missing names, a path below a file.
      "",
      ".",
      "UO",
      "UO/",
      "Nothing",
      "Nothing/Map0.mul",
      "UO/Nothing.mul",
      "UO/Map0.mul/",
      "UO//Map0.mul",
      "UO/Map0.mul/x",
      "UO/Sub/Inner.mul/x",
      // Case variants not on disk as typed.
      "case/MaP0.mul",
      "case/mAP0.MUL",
      "case/ONLY.MUL",
      "case/DaTa/x.mul",
      "case/dATA/y.mul",
      "case/dAtA",
      "named/Both",
      "named/bOTH/x",
      // Patterns: first match in name order, folders and files alike.
      "UO/*",
      "UO/map?.mul",
      "UO/*.MUL",
      "UO/Sta*",
      "UO/s*",
      "case/*",
      "case/m*",
      "case/?.mul",
      "case/*.mul",
      "order/*",
      "order/*.mul",
      "order/[*",
      "order/*u.mul",
      "order/m*",
      "order/M*.mul",
      "order/?.mul",
      "pat/*",
      "pat/a?.mul",
      "pat/A?.MUL",
      "pat/star*.mul",
      "pat/a*",
      "named/*",
      "named/b*",
      "links/*",
      "special/*",
      "perm/*",
      "perm/no_list/*",
      "perm/no_search/*",
      "perm/closed/*",
      "dots/*",
      "dots/.*",
      "intl/*",
      "intl/?.mul",
      "dev/*",
      "U?/Map0.mul",
      "*/Map0.mul",
      "UO/Sub*/Inner.mul",
      "Nothing/*",
      "UO/Map0.mul/*",
      // Trailing dots and blanks, in the last component and before it.
      "dots/UO./m",
      "dots/UO../m",
      "dots/UO /m",
      "dots/UO. /m",
      "dots/UO/m.",
      "dots/UO/m..",
      "dots/UO/m ",
      "dots/UO/m. .",
      "dots/UO/M. ",
      "dots/uo./M",
      "dots/UO.",
      "dots/UO ",
      "dots/UO. .",
      "dots/real/f",
      "dots/REAL./F",
      "dots/blank/f",
      "dots/tail",
      "dots/TAIL..",
      "UO/Map0.mul.",
      "UO/Map0.mul ",
      "UO./Map0.mul",
      "UO/map0.MUL . ",
      "dots/.HIDDEN.",
      // "." and ".." steps.
      "./UO/Map0.mul",
      "UO/./Map0.mul",
      "UO/.",
      "UO/..",
      "UO/Sub/..",
      "UO/Sub/../Map0.mul",
      "UO/Sub/../../UO/Map0.mul",
      "Nothing/../UO/Map0.mul",
      "UO/Map0.mul/../Map0.mul",
      "UO/Nothing/../StaIdx0.mul",
      "uo/sub/../MAP0.MUL",
      "links/todir/../UO/Map0.mul",
      "links/todir/../tofile",
      "links/todir/Sub/../Map0.mul",
      "links/dangling/../tofile",
      "links/loop/../tofile",
      "UO/Map0.mul/.",
      "UO/Map0.mul/..",
      "dots/UO./../UO/m",
      // Characters Windows gives meanings of their own: streams, the DOS
      // wildcards, names of dots only, leading blanks.
      "UO/Map0.mul:x",
      "UO/Map0.mul::$DATA",
      "UO/Map0<mul",
      "UO/Map0.mu>",
      "UO/\"Map0.mul",
      "UO/M|p0.mul",
      "UO/.../Map0.mul",
      "UO/...",
      "...",
      // A name before a "/", or before a last name of dots and blanks, which
      // is dropped once, is a folder's: it loses one dot at most.
      "UO/.../...",
      "UO/.../",
      "UO/Map0.mul/...",
      "dots/UO./...",
      "dots/UO../...",
      "dots/UO /...",
      "Nothing/...",
      "dots/UO../",
      " UO/Map0.mul",
      "UO/ Map0.mul",
      "UO/Map0.mul\t",
      "UO/\x01Map0.mul",
      "UO\x7f/Map0.mul",
      // Through symbolic links and below special files.
      "links/todir/Map0.mul",
      "links/TODIR/map0.MUL",
      "links/todir/Sub/Inner.mul",
      "links/loop/x",
      "links/dangling/x",
      "special/fifo/x",
      "special/sock/x",
      // Permissions.
      "perm/no_list/F.MUL",
      "perm/NO_LIST/f.mul",
      "perm/no_search/F.mul",
      "perm/closed/F.mul",
      "perm/ro_dir/F.MUL",
      "perm/ro_dir/nothing",
      // Outside ASCII: case folding beyond ASCII, names the code page lacks.
      "intl/É.mul",
      "intl/ärger/f.mul",
      "intl/ÄRGER/F.MUL",
      "intl/日本.MUL",
      "case/ärger.mul",
      "case/ÄRGER.MUL",
      "case/É.MUL",
      "case/é.MUL",
      // Device names and short names.
      "dev/CON",
      "dev/con.mul",
      "dev/NUL",
      "dev/nul",
      "dev/prn",
      "dev/com1",
      "dev/lpt1.mul",
      "short/LONGFI~1.MUL",
      "short/longfi~1.mul",
      // The short names Wine 8 makes of "LongFileName.mul" and "A Long Folder Name".
      "short/LONG~KKV.MUL",
      "short/long~kkv.mul",
      "short/A_LO~DLY/f.mul",
      "UO/STAIDX~1.MUL",
  };
  for (const TreeEntry& entry : TreeEntries()) {
    queries.push_back(entry.path);
    queries.push_back(AsciiCase(entry.path, true));
    queries.push_back(AsciiCase(entry.path, false));
  }
  std::vector<std::string> unique;
  std::set<std::string> seen;
  for (std::string& query : queries) {
    if (seen.insert(query).second) unique.push_back(std::move(query));
  }
  return unique;
}

}  // namespace

std::string DeepFilePath() {
  return "long/" + std::string(100, 'd') + "/" + std::string(100, 'e') + "/" +
         std::string(100, 'f') + ".mul";
}

// With ".mul", the longest name Linux takes.
std::string LongestNamePath() { return "long/" + std::string(251, 'x') + ".mul"; }

const std::vector<TreeEntry>& TreeEntries() {
  static const std::vector<TreeEntry> entries = MakeEntries();
  return entries;
}

const std::vector<std::string>& Queries() {
  static const std::vector<std::string> queries = MakeQueries();
  return queries;
}

}  // namespace sqp::differential
