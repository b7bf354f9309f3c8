#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tree_layout.h"

namespace sqp::sessions {

// The model's own view of a session's tree: which entries exist under which
// spelling, their kind, size and read-only bit. It answers what a probe of a
// path meets the way the Linux program finds names, which are Windows' rules:
// "." and ".." taken as steps in the text first; letter case ignored (the
// exact spelling first, else the first of the other spellings in Wine's
// listing order); a name not found tried again without one trailing dot on
// a folder, without every trailing dot and blank on the last name; nothing
// outside the tree but the folders leading to it. Drive C: and "~" are the
// tree's root (the session's Wine prefix and home say so); other drives
// name nothing.
class ModelFiles {
 public:
  ModelFiles(TreeLayout tree, std::string root);

  const std::string& Root() const { return root_; }
  const TreeLayout& Tree() const { return tree_; }

  // The entry a path names, relative to the tree's root or absolute; nullptr
  // when it names nothing in the tree (or a folder given with a trailing "/").
  const EntrySpec* Lookup(std::string_view path) const;

  // Whether a full path names a folder of the tree spelt exactly so, as the
  // kernel answers it (a file manager hands over names as they are on disk).
  bool IsFolderAsSpelt(std::string_view path) const;

  // The test's own changes between two actions.
  void Remove(const std::string& path);
  void SetReadOnly(const std::string& path, bool read_only);
  void Resize(const std::string& path, std::uint64_t size);

 private:
  const EntrySpec* Entry(const std::string& path) const;
  EntrySpec* MutableEntry(const std::string& path);
  // The entry called `name` in the tree folder `folder`: the exact spelling,
  // else the first listed of those that differ only in ASCII letter case.
  const EntrySpec* Child(const std::string& folder, std::string_view name, bool folders_only) const;

  TreeLayout tree_;
  std::string root_;
  std::vector<std::string> root_names_;
};

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether a text names a drive: a letter, ":", then its end, "\" or "/".
bool IsDriveText(std::string_view text);

}  // namespace sqp::sessions
