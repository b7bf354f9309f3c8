#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace sqp::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds (permissions restored first) when the object goes.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }
  // `relative` below the root.
  std::string Path(std::string_view relative) const;

  // Each returns the full path of what it made; missing parents are made too.
  std::string Folder(std::string_view relative) const;
  // A sparse file of exactly `size` bytes.
  std::string File(std::string_view relative, std::uint64_t size = 0) const;
  std::string Fifo(std::string_view relative) const;
  std::string Socket(std::string_view relative) const;
  std::string Symlink(std::string_view relative, const std::string& target) const;

 private:
  std::string root_;
};

// The three map data files a client folder holds.
void MakeMapFiles(const TempTree& tree, std::string_view folder, std::uint64_t statics_size = 1000);

// Clears (read-only) or sets the owner's write bit.
void SetReadOnly(const std::string& path, bool read_only = true);
void SetMode(const std::string& path, mode_t mode);
// Sets the last-write time to midnight UTC of the given day.
void SetModificationTime(const std::string& path, int year, int month, int day);

}  // namespace sqp::testing
