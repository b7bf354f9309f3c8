#include "support/session_runner.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "model/wizard_model.h"
#include "support/scoped_environment.h"
#include "support/temp_tree.h"
#include "support/tree_snapshot.h"

namespace sqp::sessions {

void WizardDriver::SetStalled(bool /*stalled*/) { throw std::logic_error("no disk to stall"); }
std::size_t WizardDriver::Held() { return 0; }
void WizardDriver::Release(std::size_t /*index*/) { throw std::logic_error("no held pass"); }

namespace {

using testing::TempTree;

void MakeEntry(const TempTree& tree, const EntrySpec& entry) {
  std::string path;
  switch (entry.kind) {
    case EntryKind::kFolder:
      path = tree.Folder(entry.path);
      break;
    case EntryKind::kFile:
      path = tree.File(entry.path, entry.size);
      break;
    case EntryKind::kFifo:
      path = tree.Fifo(entry.path);
      break;
    case EntryKind::kSocket:
      path = tree.Socket(entry.path);
      break;
  }
  if (entry.read_only) testing::SetReadOnly(path);
}

class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) {
    char previous[PATH_MAX];
    if (getcwd(previous, sizeof(previous)) != nullptr) previous_ = previous;
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("chdir " + folder);
  }
  ~CurrentFolder() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::perror("chdir back");
  }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string previous_;
};

// A Wine prefix beside the tree whose drive C: is the tree, and a home that
// is the tree, so that "C:\uo" and "~/uo" name the folder "uo" as surely as
// "uo" does. The variables are put back afterwards.
struct DrivesOnTheTree {
  explicit DrivesOnTheTree(const std::string& root) : home("HOME", root) {
    prefix.Symlink("dosdevices/c:", root);
  }
  TempTree prefix;
  testing::ScopedEnvironment wine_prefix{"WINEPREFIX", prefix.Root()};
  testing::ScopedEnvironment home;
};

class SessionRun {
 public:
  SessionRun(const Session& session, const DriverFactory& make_driver)
      : session_(session),
        drives_(tree_.Root()),
        folder_(tree_.Root()),
        model_(ModelFiles(session.tree, tree_.Root())),
        driver_(make_driver()) {
    for (const EntrySpec& entry : session.tree) MakeEntry(tree_, entry);
    baseline_ = testing::SnapshotTree(tree_.Root());
  }

  SessionOutcome Run() {
    std::vector<std::string> arguments;
    for (const std::string& argument : session_.arguments) {
      arguments.push_back(ExpandRoot(argument, tree_.Root()));
    }
    // A session that begins with a stall starts on a stalled disk.
    if (!session_.actions.empty() && session_.actions[0].kind == ActionKind::kStall) Stall();
    model_.Start(arguments);
    driver_->Start(arguments);
    if (!Compare("start-up")) return outcome_;
    // After a start-up error the queued quit ends the program: no user acts.
    if (!model_.QuitPending()) {
      for (const Action& action : session_.actions) {
        ++outcome_.actions;
        if (!RunAction(action)) {
          outcome_.failed_action = outcome_.actions;
          return outcome_;
        }
      }
    }
    outcome_.last_page = model_.Page();
    for (const BoxLook& box : model_.Look().boxes) {
      ++(box.stop_icon ? outcome_.error_boxes : outcome_.startup_boxes);
    }
    const std::string changes =
        testing::DescribeTreeChanges(baseline_, testing::SnapshotTree(tree_.Root()));
    if (!changes.empty()) Fail("the tree changed:\n" + changes);
    return outcome_;
  }

 private:
  bool RunAction(const Action& action) {
    const std::string what = Describe(action);
    switch (action.kind) {
      case ActionKind::kStep:
        if (NeedsFolderField(action.step.kind) && !FocusFolderField(what)) return outcome_.passed;
        return Step(action.step, what);
      case ActionKind::kTypeText:
        if (!FocusFolderField(what)) return outcome_.passed;
        for (const char c : ExpandRoot(action.text, tree_.Root())) {
          if (!Step({StepKind::kType, std::string(1, c)}, what)) return false;
        }
        return true;
      case ActionKind::kDeleteAt:
        if (!FocusFolderField(what) || !Step({StepKind::kHome, {}}, what)) return outcome_.passed;
        for (std::size_t i = 0; i < action.position; ++i) {
          if (!Step({StepKind::kRight, {}}, what)) return false;
        }
        return Step({StepKind::kDelete, {}}, what);
      case ActionKind::kPasteFolder:
        if (!FocusFolderField(what)) return outcome_.passed;
        return Step({StepKind::kSelectAll, {}}, what) &&
               Step({StepKind::kPaste, ExpandRoot(action.text, tree_.Root())}, what);
      case ActionKind::kDrop:
        // Only the visible field takes a drop; the last page has none.
        if (model_.Page() > 1) return true;
        return Step({StepKind::kDrop, ExpandRoot(action.text, tree_.Root())}, what);
      case ActionKind::kRemove:
      case ActionKind::kSetReadOnly:
      case ActionKind::kResize:
        ChangeTree(action);
        return true;
      case ActionKind::kStall:
        Stall();
        return true;
      case ActionKind::kAnswer:
        return Answer(action.order, what);
    }
    return true;
  }

  void Stall() {
    model_.SetStalled(true);
    driver_->SetStalled(true);
  }

  // Each landing is compared, and first whether the program holds the
  // passes the model holds.
  bool Answer(const std::vector<std::uint32_t>& order, const std::string& what) {
    model_.SetStalled(false);
    driver_->SetStalled(false);
    for (std::size_t i = 0;; ++i) {
      if (driver_->Held() != model_.Held()) {
        Fail("after " + what + ", the program holds " + std::to_string(driver_->Held()) +
             " passes, the model " + std::to_string(model_.Held()));
        return false;
      }
      if (i == order.size() || model_.Held() == 0) return true;
      const std::size_t index = order[i] % model_.Held();
      model_.Release(index);
      driver_->Release(index);
      ++outcome_.landings;
      if (!Compare(what + ", at the landing of held pass " + std::to_string(index))) return false;
    }
  }

  static bool NeedsFolderField(StepKind kind) {
    return kind == StepKind::kType || kind == StepKind::kBackspace || kind == StepKind::kDelete ||
           kind == StepKind::kSelectAll || kind == StepKind::kPaste || kind == StepKind::kUndo;
  }

  // A user who means to edit the folder first clicks into its field. On the
  // last page there is none, and the action is dropped (answers false with
  // the outcome still passed).
  bool FocusFolderField(const std::string& what) {
    if (model_.Page() > 1) return false;
    if (model_.FolderFieldFocused()) return true;
    return Step({StepKind::kClickEdit, {}}, what);
  }

  bool Step(const UserStep& step, const std::string& what) {
    model_.Apply(step);
    driver_->Apply(step);
    ++outcome_.steps;
    return Compare(what + (what == Describe(step) ? "" : ", at " + Describe(step)));
  }

  void ChangeTree(const Action& action) {
    const EntrySpec* entry = nullptr;
    for (const EntrySpec& e : model_.Files().Tree()) {
      if (e.path == action.path) entry = &e;
    }
    if (entry == nullptr) return;
    const std::string path = tree_.Path(action.path);
    switch (action.kind) {
      case ActionKind::kRemove:
        testing::RemoveFile(path);
        model_.Files().Remove(action.path);
        break;
      case ActionKind::kSetReadOnly:
        testing::SetReadOnly(path, action.read_only);
        model_.Files().SetReadOnly(action.path, action.read_only);
        break;
      default:
        if (entry->kind != EntryKind::kFile) return;
        if (truncate(path.c_str(), static_cast<off_t>(action.size)) != 0) {
          throw std::runtime_error("truncate " + path);
        }
        model_.Files().Resize(action.path, action.size);
        break;
    }
    baseline_ = testing::SnapshotTree(tree_.Root());
  }

  // A field without the focus shows no selection (Qt's line edit even drops
  // it), so only the focused field's selection is compared.
  static WizardLook Seen(WizardLook look) {
    const char* names[] = {"UOClientPathEdit", "UOCDPathEdit"};
    for (std::size_t i = 0; i < 2; ++i) {
      if (look.focus != names[i])
        look.edits[i].selection_start = look.edits[i].selection_length = 0;
    }
    return look;
  }

  bool Compare(const std::string& when) {
    const WizardLook expected = Seen(model_.Look());
    const WizardLook actual = Seen(driver_->Look());
    if (expected == actual) return true;
    const std::string differences = DescribeDifferences(expected, actual);
    Fail("after " + when + ", the program and the model differ:\n" + differences +
         "expected (model):\n" + sessions::Describe(expected) + "got (program):\n" +
         sessions::Describe(actual));
    return false;
  }

  void Fail(const std::string& failure) {
    outcome_.passed = false;
    outcome_.failure = failure;
  }

  const Session& session_;
  TempTree tree_;
  DrivesOnTheTree drives_;
  CurrentFolder folder_;
  WizardModel model_;
  std::unique_ptr<WizardDriver> driver_;
  testing::TreeSnapshot baseline_;
  SessionOutcome outcome_;
};

}  // namespace

SessionOutcome RunSession(const Session& session, const DriverFactory& make_driver) {
  return SessionRun(session, make_driver).Run();
}

Session ShrinkSession(const Session& failing, const DriverFactory& make_driver) {
  Session best = failing;
  auto cut_after_failure = [&](const SessionOutcome& outcome) {
    if (outcome.failed_action > 0) best.actions.resize(outcome.failed_action);
  };
  cut_after_failure(RunSession(best, make_driver));
  for (std::size_t chunk = std::max<std::size_t>(best.actions.size() / 2, 1); chunk >= 1;
       chunk /= 2) {
    for (std::size_t start = 0; start < best.actions.size();) {
      Session candidate = best;
      const auto from = candidate.actions.begin() + static_cast<std::ptrdiff_t>(start);
      candidate.actions.erase(
          from, from + static_cast<std::ptrdiff_t>(std::min(chunk, best.actions.size() - start)));
      const SessionOutcome outcome = RunSession(candidate, make_driver);
      if (!outcome.passed) {
        best = std::move(candidate);
        cut_after_failure(outcome);
      } else {
        start += chunk;
      }
    }
    if (chunk == 1) break;
  }
  return best;
}

}  // namespace sqp::sessions
