#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace sqp::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds (permissions and attributes restored first) when the object goes.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }
  // `relative` below the root; its "/" become the platform's separator.
  std::string Path(std::string_view relative) const;

  // Each returns the full path of what it made; missing parents are made too.
  std::string Folder(std::string_view relative) const;
  // A sparse file of exactly `size` bytes.
  std::string File(std::string_view relative, std::uint64_t size = 0) const;
#ifndef _WIN32
  std::string Fifo(std::string_view relative) const;
  std::string Socket(std::string_view relative) const;
  std::string Symlink(std::string_view relative, const std::string& target) const;
#endif

 private:
  std::string root_;
};

#ifndef _WIN32
// What TempTree makes, at any path: a sparse file of exactly `size` bytes,
// and a socket file (bound, then closed; the path must fit an address).
void MakeSparseFile(const std::string& path, std::uint64_t size);
void MakeSocketFile(const std::string& path);
#endif

// The platform's folder separator, as a user types it.
std::string Separator();

// The three map data files a client folder holds.
void MakeMapFiles(const TempTree& tree, std::string_view folder, std::uint64_t statics_size = 1000);

// Sets or clears the read-only attribute (on POSIX the owner's write bit).
void SetReadOnly(const std::string& path, bool read_only = true);
// Sets the last-write time to midnight UTC of the given day.
void SetModificationTime(const std::string& path, int year, int month, int day);
void RemoveFile(const std::string& path);

// A file whose size cannot be measured, as long as the object lives: on
// POSIX a socket, on Windows a file held open by another handle that shares
// nothing. FileByteSize fails on it with Code().
class UnmeasurableFile {
 public:
  UnmeasurableFile(const TempTree& tree, std::string_view relative);
  ~UnmeasurableFile();
  UnmeasurableFile(const UnmeasurableFile&) = delete;
  UnmeasurableFile& operator=(const UnmeasurableFile&) = delete;

  const std::string& Path() const { return path_; }
  int Code() const;
  // The error reporter's text for it.
  std::string ReportText() const { return "E/A-Fehler " + std::to_string(Code()) + "."; }

 private:
  std::string path_;
#ifdef _WIN32
  void* handle_ = nullptr;
#endif
};

#ifdef _WIN32
void SetHidden(const std::string& path);
void SetSystem(const std::string& path);
#else
void SetMode(const std::string& path, mode_t mode);
#endif

}  // namespace sqp::testing
