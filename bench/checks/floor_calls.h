#pragma once

#include <array>
#include <string>

namespace sqp::bench {

// The system calls a check pass cannot do without, issued bare on paths
// worked out in advance: the floor a pass is measured against.
//
// Each probe asks afresh for its file, so a lookup is one stat of the exact
// name; a folder that is not spelt as on disk is resolved once per pass; where that misses, the
// folder must be read to rule out (or find) the name in another letter case, and a found entry is
// stat'ed under its real name. A missing folder is ruled out the same way in
// its parent. In a large folder, a stat of every other spelling of the name
// rules it out for less. Once a file is found, its folder is asked once per
// pass whether it may be listed (an access call): Windows finds nothing in a
// folder it cannot list. The client pass adds an attribute read per file (a
// stat); the CD pass adds one open, fstat and close of "Statics0.mul".
class CheckFloor {
 public:
  // All three files under their exact names.
  static CheckFloor Found(const std::string& folder);
  // An existing folder without any of them, read to rule out other cases.
  static CheckFloor NotThere(const std::string& folder);
  // The same, ruled out by a stat of every other spelling of each name:
  // cheaper than reading a folder of thousands of entries.
  static CheckFloor NotThereBySpelling(const std::string& folder);
  // A folder that does not exist, in an existing parent.
  static CheckFloor MissingFolder(const std::string& parent, const std::string& name);
  // The three files under the given names, which differ in letter case.
  static CheckFloor CaseDiffers(const std::string& folder,
                                const std::array<const char*, 3>& names_on_disk);

  // `real_folder`, typed with its last component in another letter case
  // (`typed_folder`): the stat of the typed folder fails, the parent is read
  // once per pass to find the component, then the files are found as in
  // Found.
  static CheckFloor FolderCaseDiffers(const std::string& typed_folder,
                                      const std::string& real_folder);
  // A folder whose last component is half typed: ruled out once per pass as
  // above, then nothing is there.
  static CheckFloor HalfTyped(const std::string& typed_folder);
  // Found in `folder`, reached through the symbolic link `link`: one
  // readlink more than Found.
  static CheckFloor FoundThroughLink(const std::string& folder, const std::string& link);

  // What a client pass needs; returns how many files were found writeable.
  int Client() const;
  // What a CD pass needs; returns how many files were found, plus the size
  // of "Statics0.mul" when all three were.
  long long CD() const;

 private:
  enum class Kind {
    kFound,
    kNotThere,
    kNotThereBySpelling,
    kMissingFolder,
    kCaseDiffers,
    kFolderCaseDiffers,
    kHalfTyped,
    kFoundThroughLink,
  };
  CheckFloor(Kind kind, std::string folder);

  bool Lookup(int row, bool* writeable) const;
  // Whether the folder may be listed, asked the first time only (`asked`).
  bool Listable(bool* asked) const;
  // The work done once per pass before the files; false when the folder
  // is not there.
  bool ResolveFolder() const;

  Kind kind_;
  std::string folder_;
  std::string parent_;
  std::string folder_name_;
  std::string typed_folder_;
  std::string link_;
  std::array<std::string, 3> exact_paths_;
  std::array<std::string, 3> real_paths_;
};

}  // namespace sqp::bench
