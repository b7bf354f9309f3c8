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

// The order of a folder listing under Wine: letters as capitals, then bytes.
std::string ListingKey(std::string_view name) {
  std::string key;
  for (const char c : name) key += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  return key;
}

bool ListedBefore(std::string_view a, std::string_view b) {
  // std::string compares bytes as unsigned, as the listing does.
  const std::string key_a = ListingKey(a);
  const std::string key_b = ListingKey(b);
  return key_a != key_b ? key_a < key_b : a < b;
}

// "." and ".." are steps in the text on Windows, taken before any lookup.
// Only the ".." that start a relative path are left.
std::vector<std::string> Steps(const std::vector<std::string>& names, bool absolute) {
  std::vector<std::string> steps;
  for (const std::string& name : names) {
    if (name == ".") continue;
    if (name != "..") {
      steps.push_back(name);
    } else if (!steps.empty() && steps.back() != "..") {
      steps.pop_back();
    } else if (!absolute) {
      steps.push_back(name);
    }
  }
  return steps;
}

// A name not found as typed, as Windows tries it again: a folder on the way
// without one trailing dot, the last name without all its trailing dots and
// blanks. Empty when nothing changes or nothing is left.
std::string Retried(const std::string& name, bool last) {
  std::string retried = name;
  if (last) {
    while (!retried.empty() && (retried.back() == '.' || retried.back() == ' ')) retried.pop_back();
  } else if (!retried.empty() && retried.back() == '.') {
    retried.pop_back();
  }
  return retried == name ? std::string() : retried;
}

}  // namespace

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsDriveText(std::string_view text) {
  const char letter = Lower(text.empty() ? '\0' : text[0]);
  return text.size() >= 2 && letter >= 'a' && letter <= 'z' && text[1] == ':' &&
         (text.size() == 2 || text[2] == '/' || text[2] == '\\');
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
    if (SameIgnoringAsciiCase(entry_name, name) &&
        (other_case == nullptr ||
         ListedBefore(entry_name, std::string_view(other_case->path).substr(prefix)))) {
      other_case = &entry;
    }
  }
  return other_case;
}

const EntrySpec* ModelFiles::Lookup(std::string_view path) const {
  if (path.find_first_of("*?") != std::string_view::npos) return nullptr;
  std::string on_the_tree;
  if (IsDriveText(path)) {
    if (Lower(path[0]) != 'c') return nullptr;
    // "\" separates as "/" does, and ".." never leaves the drive.
    std::string rest(path.substr(2));
    std::replace(rest.begin(), rest.end(), '\\', '/');
    std::vector<std::string> kept;
    for (const std::string& name : Names(rest)) {
      if (name == "..") {
        if (!kept.empty()) kept.pop_back();
      } else if (name != ".") {
        kept.push_back(name);
      }
    }
    on_the_tree = root_;
    for (const std::string& name : kept) on_the_tree += "/" + name;
    if (path.size() > 2 && (path.back() == '/' || path.back() == '\\')) on_the_tree += '/';
    path = on_the_tree;
  } else if (path == "~" || path.starts_with("~/")) {
    on_the_tree = root_ + std::string(path.substr(1));
    path = on_the_tree;
  }
  const bool absolute = !path.empty() && path.front() == '/';
  const std::vector<std::string> names = Steps(Names(path), absolute);
  if (names.empty()) return nullptr;
  // Where the walk stands: in the folders that lead to the tree (depth below
  // root_names_.size()), or in the tree at `folder`.
  const std::size_t tree_depth = root_names_.size();
  std::size_t depth = absolute ? 0 : tree_depth;
  std::string folder;
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    const std::string& name = names[i];
    if (name == "..") {  // only at the start of a relative path; "/.." is "/"
      if (depth > 0) --depth;
      continue;
    }
    if (depth < tree_depth) {
      // Nothing is known outside the tree: only the way to it.
      const std::string& way = root_names_[depth];
      if (!SameIgnoringAsciiCase(name, way) && !SameIgnoringAsciiCase(Retried(name, false), way)) {
        return nullptr;
      }
      ++depth;
      continue;
    }
    const EntrySpec* child = Child(folder, name, true);
    if (child == nullptr && !Retried(name, false).empty()) {
      child = Child(folder, Retried(name, false), true);
    }
    if (child == nullptr) return nullptr;
    folder = child->path;
  }
  const std::string& last = names.back();
  if (depth < tree_depth || last == "..") return nullptr;
  const EntrySpec* entry = Child(folder, last, false);
  if (entry == nullptr && !Retried(last, true).empty()) {
    entry = Child(folder, Retried(last, true), false);
  }
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
