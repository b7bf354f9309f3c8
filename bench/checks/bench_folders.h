#pragma once

#include <array>
#include <string>

namespace sqp::bench {

// The folders a check pass meets, made once under the temporary folder and
// removed with everything in them when the object goes.
class BenchFolders {
 public:
  BenchFolders();
  ~BenchFolders();
  BenchFolders(const BenchFolders&) = delete;
  BenchFolders& operator=(const BenchFolders&) = delete;

  const std::string& Root() const { return root_; }
  // All three files, writeable; "Statics0.mul" has the size of "The Second Age".
  std::string Found() const { return root_ + "/found"; }
  // Three other files, none of the three map files.
  std::string None() const { return root_ + "/none"; }
  // Not made: its parent is Root().
  std::string Missing() const { return root_ + "/missing"; }
  static constexpr const char* kMissingName = "missing";
  // The three files under names in other letter cases.
  std::string CaseDiffers() const { return root_ + "/case"; }
  static constexpr std::array<const char*, 3> kCaseNames = {"staidx0.mul", "STATICS0.MUL",
                                                            "map0.mul"};
  // kBigFolderEntries files, none of the three map files.
  std::string BigFolder() const { return root_ + "/big"; }
  static constexpr int kBigFolderEntries = 10000;
  // A folder of `entries` files (10,000 or 100,000) that also holds a
  // folder with the three files as in Found(), under a name of more letters
  // than other spellings are asked for one by one: finding it in another
  // letter case means reading the parent.
  std::string WideParent(int entries) const { return root_ + "/wide" + std::to_string(entries); }
  static constexpr std::array<int, 2> kWideEntries = {10000, 100000};
  static constexpr const char* kWideClientName = "UltimaOnlineClassic";
  // A Wine prefix whose drive C ("dosdevices/c:" -> "../drive_c") holds the
  // folder "UO" with the three files as in Found().
  std::string Prefix() const { return root_ + "/prefix"; }
  // An existing patch file for the program's command line.
  std::string PatchFile() const { return root_ + "/bench.sq2"; }

 private:
  std::string root_;
};

// The folders of the whole run.
const BenchFolders& Folders();

}  // namespace sqp::bench
