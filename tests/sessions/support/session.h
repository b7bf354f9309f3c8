#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/tree_layout.h"
#include "support/user_step.h"

namespace sqp::sessions {

// Texts may name the tree's root, which differs from run to run.
inline constexpr const char* kRootMarker = "{root}";
std::string ExpandRoot(const std::string& text, const std::string& root);

enum class ActionKind {
  kStep,         // one key or click
  kTypeText,     // a folder text typed key by key into the visible field
  kDeleteAt,     // the caret put at `position` (Home, then Right), then Delete
  kPasteFolder,  // select all, then paste `text`
  kDrop,         // the items of `text` (one per line) dropped on the visible field
  kRemove,       // the test removes the entry at `path`
  kSetReadOnly,  // the test sets or clears the entry's read-only bit
  kResize,       // the test changes a file's size
  kStall,        // the disk stops answering: passes are held (before start-up when first)
  kAnswer,       // the disk answers again; held passes land in the order of `order`
};

struct Action {
  ActionKind kind = ActionKind::kStep;
  UserStep step;
  std::string text;
  std::size_t position = 0;
  std::string path;
  bool read_only = false;
  std::uint64_t size = 0;
  // Each pick lands the held pass at pick modulo the number still held.
  std::vector<std::uint32_t> order;
};

// A whole session: the tree made on disk, the command line, then the user's
// actions and the test's own changes to the tree between them.
struct Session {
  TreeLayout tree;
  std::vector<std::string> arguments;
  std::vector<Action> actions;
};

std::string Describe(const Action& action);
std::string Describe(const Session& session);

}  // namespace sqp::sessions
