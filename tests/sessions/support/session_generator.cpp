#include "support/session_generator.h"

#include <algorithm>

namespace sqp::sessions {

namespace {

constexpr const char* kMapFiles[] = {"StaIdx0.mul", "Statics0.mul", "Map0.mul"};
constexpr std::uint64_t kStaticsSizes[] = {
    21971754, 21971753, 21971755, 19171873, 19171872, 19171874, 0, 12345,
    // 4 GiB more than an edition: only the low 32 bits count.
    (std::uint64_t{1} << 32) + 21971754};

std::string Respelled(Choices& choices, const std::string& name) {
  std::string spelled = name;
  switch (choices.Below(6)) {
    case 0:
      for (char& c : spelled) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      break;
    case 1:
      for (char& c : spelled) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      break;
    case 2:
      spelled[0] = static_cast<char>(std::isupper(static_cast<unsigned char>(spelled[0]))
                                         ? std::tolower(static_cast<unsigned char>(spelled[0]))
                                         : std::toupper(static_cast<unsigned char>(spelled[0])));
      break;
    default:
      break;
  }
  return spelled;
}

void AddMapFiles(Choices& choices, const std::string& folder, TreeLayout& tree) {
  // Half the folders hold all three files, writeable: the wizard can pass.
  const bool complete = choices.Percent(50);
  for (const char* name : kMapFiles) {
    const std::string path = (folder.empty() ? "" : folder + "/") + Respelled(choices, name);
    const std::uint32_t kind = complete ? 20 + choices.Below(80) : choices.Below(100);
    if (kind < 12) continue;
    EntrySpec entry{path, EntryKind::kFile, 0, !complete && choices.Percent(30)};
    if (kind < 20) {
      entry.kind = EntryKind::kFolder;
      entry.read_only = false;
    } else if (std::string(name) == "Statics0.mul") {
      if (kind < 25) {
        entry.kind = EntryKind::kFifo;
      } else if (kind < 30) {
        entry.kind = EntryKind::kSocket;
      } else {
        entry.size = choices.Pick(kStaticsSizes);
      }
    } else {
      entry.size = choices.Below(2000);
    }
    tree.push_back(entry);
    // Now and then a second spelling of the name beside it: which one the
    // probes take is decided by the listing order, not the file system's.
    if (choices.Percent(8)) {
      EntrySpec twin = entry;
      twin.path = (folder.empty() ? "" : folder + "/") + Respelled(choices, name);
      const bool taken = std::any_of(tree.begin(), tree.end(), [&](const EntrySpec& other) {
        return other.path == twin.path;
      });
      if (!taken) {
        twin.kind = choices.Percent(25) ? EntryKind::kFolder : EntryKind::kFile;
        twin.size = twin.kind == EntryKind::kFolder ? 0 : choices.Pick(kStaticsSizes);
        twin.read_only = twin.kind == EntryKind::kFile && choices.Percent(30);
        tree.push_back(twin);
      }
    }
  }
}

TreeLayout MakeTree(Choices& choices) {
  TreeLayout tree;
  if (choices.Percent(95)) tree.push_back({"patch.sq2", EntryKind::kFile, 10, false});
  if (choices.Percent(40)) tree.push_back({"Other.SQ2", EntryKind::kFile, 0, choices.Percent(30)});
  if (choices.Percent(40)) tree.push_back({"notes.txt", EntryKind::kFile, 5, false});
  if (choices.Percent(30)) tree.push_back({"folder.sq2", EntryKind::kFolder, 0, false});
  if (choices.Percent(20)) tree.push_back({"patch.sq2.bak", EntryKind::kFile, 0, false});
  // "uo." is a name of its own on Linux: found as typed, before "uo".
  for (const char* folder : {"uo", "cd", "UO Client", "Backup", "uo."}) {
    if (!choices.Percent(std::string(folder) == "uo." ? 15 : 65)) continue;
    tree.push_back({folder, EntryKind::kFolder, 0, false});
    AddMapFiles(choices, folder, tree);
    if (std::string(folder) == "cd" && choices.Percent(35)) {
      tree.push_back({"cd/Disc", EntryKind::kFolder, 0, false});
      AddMapFiles(choices, "cd/Disc", tree);
    }
  }
  if (choices.Percent(15)) AddMapFiles(choices, "", tree);
  return tree;
}

std::vector<std::string> Folders(const TreeLayout& tree) {
  std::vector<std::string> folders = {""};
  for (const EntrySpec& entry : tree) {
    if (entry.kind == EntryKind::kFolder) folders.push_back(entry.path);
  }
  return folders;
}

std::string RespelledPath(Choices& choices, const std::string& path) {
  if (!choices.Percent(25)) return path;
  std::string spelled;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    const std::size_t end = std::min(path.find('/', pos), path.size());
    if (!spelled.empty()) spelled += '/';
    if (end > pos) spelled += Respelled(choices, path.substr(pos, end - pos));
    pos = end + 1;
  }
  return spelled;
}

// A folder text as a user would write it: mostly a folder of the tree,
// relative or absolute, in some letter case, with trailing "/" and, when
// pasted, blanks or control characters around it.
std::string MakeFolderText(Choices& choices, const TreeLayout& tree, bool pasted) {
  const std::vector<std::string> folders = Folders(tree);
  std::string relative;
  const std::uint32_t target = choices.Below(100);
  if (target < 80) {
    relative =
        RespelledPath(choices, folders[choices.Below(static_cast<std::uint32_t>(folders.size()))]);
  } else if (target < 88) {
    relative = choices.Percent(50) ? "missing" : "uo/missing";
  } else if (target < 94) {
    relative = "uo/Map0.mul";
  } else {
    const char* kTrailing[] = {"uo.", "uo..", "cd ", "cd. "};
    relative = choices.Pick(kTrailing);
  }
  if (choices.Percent(12)) {
    // A detour through another folder of the tree, or through none: the
    // steps are taken in the text.
    const std::string other =
        choices.Percent(30) ? "missing"
                            : folders[choices.Below(static_cast<std::uint32_t>(folders.size()))];
    if (!other.empty()) relative = other + "/../" + relative;
  }
  if (choices.Percent(8)) relative = "./" + relative;
  std::string text;
  const std::uint32_t spelling = choices.Below(100);
  if (spelling < 40) {
    text = std::string(kRootMarker) + (relative.empty() ? "" : "/" + relative);
  } else if (spelling < 52) {
    // Through the Wine prefix, whose C: is the tree; D: has no link.
    text = spelling < 50 ? (choices.Percent(50) ? "C:" : "c:") : "D:";
    std::string windows = relative;
    if (choices.Percent(70)) std::replace(windows.begin(), windows.end(), '/', '\\');
    if (!windows.empty() || choices.Percent(50)) text += choices.Percent(80) ? "\\" : "/";
    text += windows;
  } else if (spelling < 57) {
    text = "~" + (relative.empty() ? "" : "/" + relative);
  } else {
    text = relative.empty() ? (choices.Percent(70) ? "." : "") : relative;
  }
  if (choices.Percent(30)) text.append(choices.Below(3) + 1, '/');
  if (choices.Percent(20)) {
    const char* kAround[] = {" ", "  ", "\t", " \t", "\x01"};
    const std::string before = choices.Percent(50) ? choices.Pick(kAround) : "";
    const std::string after = choices.Percent(60) ? choices.Pick(kAround) : "";
    // A tab key moves the focus: only a paste brings control characters.
    if (pasted || (before.find_first_not_of(' ') == std::string::npos &&
                   after.find_first_not_of(' ') == std::string::npos)) {
      text = before + text + after;
    }
  }
  return text;
}

std::vector<std::string> MakeArguments(Choices& choices, const TreeLayout& tree) {
  const char* kGoodPatchNames[] = {"patch.sq2",   "{root}/patch.sq2",
                                   "PATCH.SQ2",   "{root}/cd/../patch.sq2",
                                   "~/patch.sq2", "C:\\Patch.sq2"};
  const char* kOtherPatchNames[] = {"other.sq2",  "missing.sq2",   "notes.txt",
                                    "folder.sq2", "patch.sq2.bak", "uo"};
  std::size_t count;
  const std::uint32_t kind = choices.Below(100);
  if (kind < 3) {
    count = 0;
  } else if (kind < 6) {
    count = 2;
  } else if (kind < 8) {
    count = 4;
  } else if (kind < 50) {
    count = 1;
  } else {
    count = 3;
  }
  std::vector<std::string> arguments;
  for (std::size_t i = 0; i < count; ++i) {
    if (i == 0) {
      arguments.push_back(choices.Percent(85) ? choices.Pick(kGoodPatchNames)
                                              : choices.Pick(kOtherPatchNames));
    } else if (choices.Percent(5)) {
      arguments.push_back(i == 1 ? "UOClientPathEdit" : "UOCDPathEdit");
    } else {
      arguments.push_back(MakeFolderText(choices, tree, true));
    }
  }
  return arguments;
}

char MakeCharacter(Choices& choices, const TreeLayout& tree) {
  if (choices.Percent(60)) {
    // A character of a folder's name, in either case now and then.
    const std::vector<std::string> folders = Folders(tree);
    const std::string& folder = folders[choices.Below(static_cast<std::uint32_t>(folders.size()))];
    if (!folder.empty()) {
      const char c = folder[choices.Below(static_cast<std::uint32_t>(folder.size()))];
      return choices.Percent(15) ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                                 : c;
    }
  }
  const char kOthers[] = "/ ./x/M\\:~";
  return kOthers[choices.Below(sizeof(kOthers) - 1)];
}

Action OfKind(ActionKind kind) {
  Action action;
  action.kind = kind;
  return action;
}

Action StepAction(StepKind kind, std::string text = {}) {
  Action action;
  action.step = {kind, std::move(text)};
  return action;
}

std::vector<const EntrySpec*> Changeable(const TreeLayout& tree) {
  std::vector<const EntrySpec*> entries;
  for (const EntrySpec& entry : tree) {
    if (entry.kind != EntryKind::kFolder) entries.push_back(&entry);
  }
  return entries;
}

Action MakeTreeChange(Choices& choices, TreeLayout& tree) {
  const std::vector<const EntrySpec*> entries = Changeable(tree);
  if (entries.empty()) return StepAction(StepKind::kEscape);
  const EntrySpec& entry = *entries[choices.Below(static_cast<std::uint32_t>(entries.size()))];
  Action action;
  action.path = entry.path;
  const std::uint32_t kind = choices.Below(100);
  if (kind < 30) {
    action.kind = ActionKind::kRemove;
    std::erase_if(tree, [&](const EntrySpec& e) { return e.path == action.path; });
  } else if (kind < 65 || entry.kind != EntryKind::kFile) {
    action.kind = ActionKind::kSetReadOnly;
    action.read_only = !entry.read_only;
    for (EntrySpec& e : tree) {
      if (e.path == action.path) e.read_only = action.read_only;
    }
  } else {
    // Mostly the CD file growing or shrinking into another edition.
    action.kind = ActionKind::kResize;
    action.size = choices.Pick(kStaticsSizes);
    for (EntrySpec& e : tree) {
      if (e.path == action.path) e.size = action.size;
    }
  }
  return action;
}

// What a file manager hands over: full paths of entries of the tree (a
// folder now and then with a trailing "/"), two of one folder or of two, a
// removed file, and now and then a relative or network path, which no field
// takes.
std::string MakeDropItems(Choices& choices, const TreeLayout& tree) {
  auto item = [&]() -> std::string {
    const std::uint32_t kind = choices.Below(100);
    if (kind < 5) return "uo";
    if (kind < 8) return "//server/share/uo";
    if (kind < 14 || tree.empty()) return std::string(kRootMarker) + "/uo/gone.txt";
    const EntrySpec& entry = tree[choices.Below(static_cast<std::uint32_t>(tree.size()))];
    std::string path = std::string(kRootMarker) + "/" + entry.path;
    if (entry.kind == EntryKind::kFolder && choices.Percent(25)) path += "/";
    return path;
  };
  std::string items = item();
  if (choices.Percent(25)) {
    const std::string first = items.substr(0, items.rfind('/') + 1);
    items += "\n" + (choices.Percent(50) ? first + "Map0.mul" : item());
  }
  return items;
}

// Mostly every held pass lands (never more than eight are held), now and
// then one or two only, and the others stay held while new passes answer.
Action MakeAnswer(Choices& choices) {
  Action action = OfKind(ActionKind::kAnswer);
  const std::uint32_t count = choices.Percent(70) ? 8 : choices.Below(3);
  for (std::uint32_t i = 0; i < count; ++i) action.order.push_back(choices.Below(8));
  return action;
}

Action MakeAction(Choices& choices, TreeLayout& tree, const SessionLimits& limits) {
  auto step = [](StepKind kind, std::string text = {}) {
    return StepAction(kind, std::move(text));
  };
  const std::uint32_t kind = choices.Below(100);
  if (kind < 16) return step(StepKind::kType, std::string(1, MakeCharacter(choices, tree)));
  if (kind < 24) {
    Action action = OfKind(ActionKind::kTypeText);
    action.text = MakeFolderText(choices, tree, false);
    return action;
  }
  if (kind < 30) return step(StepKind::kBackspace);
  if (kind < 33) {
    Action action = OfKind(ActionKind::kDeleteAt);
    action.position = choices.Below(40);
    return action;
  }
  if (kind < 43) {
    Action action = OfKind(ActionKind::kPasteFolder);
    action.text = MakeFolderText(choices, tree, true);
    return action;
  }
  if (kind < 46) return step(limits.undo ? StepKind::kUndo : StepKind::kBackspace);
  if (kind < 47) {
    Action action = OfKind(ActionKind::kDrop);
    action.text = MakeDropItems(choices, tree);
    return action;
  }
  if (kind < 48) return step(StepKind::kClickEdit);
  if (kind < 54) return step(StepKind::kClickTest);
  if (kind < 64) return step(StepKind::kClickNext);
  if (kind < 65) return step(StepKind::kClickFinish);
  if (kind < 70) return step(StepKind::kTab);
  if (kind < 73) return step(StepKind::kShiftTab);
  if (kind < 74) return step(StepKind::kCtrlTab);
  if (kind < 84) {
    const StepKind kArrows[] = {StepKind::kLeft, StepKind::kRight, StepKind::kUp,
                                StepKind::kDown, StepKind::kHome,  StepKind::kEnd};
    return step(choices.Pick(kArrows));
  }
  if (kind < 89) return step(StepKind::kEnter);
  if (kind < 90) return step(StepKind::kEscape);
  // A stall in one action of a hundred, lasting some forty on average: most
  // sessions still reach the later pages.
  if (limits.stalls) {
    const std::uint32_t disk = choices.Below(100);
    if (disk < 10) return OfKind(ActionKind::kStall);
    if (disk < 35) return MakeAnswer(choices);
  }
  return MakeTreeChange(choices, tree);
}

}  // namespace

Session MakeSession(Choices& choices, const SessionLimits& limits) {
  Session session;
  session.tree = MakeTree(choices);
  session.arguments = MakeArguments(choices, session.tree);
  TreeLayout tree = session.tree;
  const std::size_t count = choices.Below(static_cast<std::uint32_t>(limits.max_actions) + 1);
  for (std::size_t i = 0; i < count && !choices.Exhausted(); ++i) {
    session.actions.push_back(MakeAction(choices, tree, limits));
  }
  return session;
}

}  // namespace sqp::sessions
