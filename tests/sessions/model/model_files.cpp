#include "model/model_files.h"

#include <algorithm>

namespace sqp::sessions {

namespace {

std::vector<std::string> Names(std::string_view path) {
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    const std::size_t end = std::min(path.find('/', pos), path.size());
    if (end > pos) names.emplace_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return names;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

ModelFiles::ModelFiles(TreeLayout tree, std::string root)
    : tree_(std::move(tree)), root_(std::move(root)), root_names_(Names(root_)) {}

const EntrySpec* ModelFiles::Entry(const std::string& path) const {
  for (const EntrySpec& entry : tree_) {
    if (entry.path == path) return &entry;
  }
  return nullptr;
}

EntrySpec* ModelFiles::MutableEntry(const std::string& path) {
  return const_cast<EntrySpec*>(Entry(path));
}

const EntrySpec* ModelFiles::Child(const std::string& folder, std::string_view name,
                                   bool folders_only) const {
  // Entries of `folder` are the paths "folder/name" (or "name" at the root).
  const std::size_t prefix = folder.empty() ? 0 : folder.size() + 1;
  const EntrySpec* other_case = nullptr;
  for (const EntrySpec& entry : tree_) {
    const std::string_view path = entry.path;
    if (path.size() <= prefix ||
        (prefix > 0 && (!path.starts_with(folder) || path[prefix - 1] != '/'))) {
      continue;
    }
    const std::string_view entry_name = path.substr(prefix);
    if (entry_name.find('/') != std::string_view::npos) continue;
    if (folders_only && entry.kind != EntryKind::kFolder) continue;
    if (entry_name == name) return &entry;
    if (other_case == nullptr && SameIgnoringAsciiCase(entry_name, name)) other_case = &entry;
  }
  return other_case;
}

const EntrySpec* ModelFiles::Lookup(std::string_view path) const {
  if (path.find_first_of("*?") != std::string_view::npos) return nullptr;
  const std::vector<std::string> names = Names(path);
  if (names.empty()) return nullptr;
  // Where the walk stands: in the folders that lead to the tree (depth below
  // root_names_.size()), or in the tree at `folder`.
  const std::size_t tree_depth = root_names_.size();
  std::size_t depth = !path.empty() && path.front() == '/' ? 0 : tree_depth;
  std::string folder;
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    const std::string& name = names[i];
    if (name == ".") continue;
    if (name == "..") {
      if (depth < tree_depth) {
        if (depth > 0) --depth;
      } else if (folder.empty()) {
        --depth;
      } else {
        folder = ParentOf(folder);
      }
      continue;
    }
    if (depth < tree_depth) {
      // Nothing is known outside the tree: only the way to it.
      if (!SameIgnoringAsciiCase(name, root_names_[depth])) return nullptr;
      ++depth;
      continue;
    }
    const EntrySpec* child = Child(folder, name, true);
    if (child == nullptr) return nullptr;
    folder = child->path;
  }
  const std::string& last = names.back();
  if (depth < tree_depth || last == "." || last == "..") return nullptr;
  const EntrySpec* entry = Child(folder, last, false);
  if (entry != nullptr && path.back() == '/' && entry->kind != EntryKind::kFolder) return nullptr;
  return entry;
}

bool ModelFiles::IsFolderAsSpelt(std::string_view path) const {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  if (path == root_) return true;
  if (!path.starts_with(root_ + "/")) return false;
  const EntrySpec* entry = Entry(std::string(path.substr(root_.size() + 1)));
  return entry != nullptr && entry->kind == EntryKind::kFolder;
}

void ModelFiles::Remove(const std::string& path) {
  std::erase_if(tree_, [&](const EntrySpec& entry) {
    return entry.path == path || entry.path.starts_with(path + "/");
  });
}

void ModelFiles::SetReadOnly(const std::string& path, bool read_only) {
  if (EntrySpec* entry = MutableEntry(path)) entry->read_only = read_only;
}

void ModelFiles::Resize(const std::string& path, std::uint64_t size) {
  if (EntrySpec* entry = MutableEntry(path)) entry->size = size;
}

}  // namespace sqp::sessions
