#pragma once

#include <array>
#include <string>

namespace sqp::bench {

// The system calls a check pass cannot do without, issued bare on paths
// worked out in advance: the floor a pass is measured against.
//
// Each probe asks afresh (nothing is kept between probes), so a lookup is
// one stat of the exact name; where that misses, the folder must be read to
// rule out (or find) the name in another letter case, and a found entry is
// stat'ed under its real name. A missing folder is ruled out the same way in
// its parent. In a large folder, a stat of every other spelling of the name
// rules it out for less. The client pass adds an attribute read per file (a stat); the
// CD pass adds one open, fstat and close of "Statics0.mul".
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

  // What a client pass needs; returns how many files were found writeable.
  int Client() const;
  // What a CD pass needs; returns how many files were found, plus the size
  // of "Statics0.mul" when all three were.
  long long CD() const;

 private:
  enum class Kind { kFound, kNotThere, kNotThereBySpelling, kMissingFolder, kCaseDiffers };
  CheckFloor(Kind kind, std::string folder);

  bool Lookup(int row, bool* writeable) const;

  Kind kind_;
  std::string folder_;
  std::string parent_;
  std::string folder_name_;
  std::array<std::string, 3> exact_paths_;
  std::array<std::string, 3> real_paths_;
};

}  // namespace sqp::bench
