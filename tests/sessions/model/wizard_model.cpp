#include "model/wizard_model.h"

#include <algorithm>
#include <utility>

namespace sqp::sessions {

namespace {

constexpr const char* kTitle = "Stonequill Patch";
constexpr const char* kPageCaptions[] = {"Check current files", "Check for correct CD",
                                         "Apply the patch"};
constexpr const char* kMapFiles[] = {"StaIdx0.mul", "Statics0.mul", "Map0.mul"};
constexpr const char* kFocusNames[] = {
    "PageControl",  "UOClientPathEdit",    "UOClientResultsGroupBox", "UOClientTestButton",
    "UOCDPathEdit", "UOCDResultsGroupBox", "UOCDRecheckButton",       "NextButton",
    "FinishButton", "_ProgressBar"};

// Passes that may be held at once, for both fields together.
constexpr std::size_t kHeldBound = 8;

bool BlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string Trimmed(std::string text) {
  while (!text.empty() && BlankOrControl(text.front())) text.erase(text.begin());
  while (!text.empty() && BlankOrControl(text.back())) text.pop_back();
  return text;
}

// The folder text as the checks use it: each trailing "/" (or "\" too, in a
// text of a drive) turns into a blank and the text is trimmed again; then
// one more trim.
std::string FolderPath(std::string text) {
  const std::string separators = IsDriveText(Trimmed(text)) ? "/\\" : "/";
  while (!text.empty() && separators.find(text.back()) != std::string::npos) {
    text.back() = ' ';
    text = Trimmed(text);
  }
  return Trimmed(text);
}

bool HasPatchExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.find('/', dot) != std::string::npos) return false;
  std::string extension = name.substr(dot);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == ".sq2";
}

std::string Edition(std::uint32_t size) {
  if (size == 21971754) return "The Second Age";
  if (size == 19171873) return "Original (not T2A)";
  return "Unknown";
}

}  // namespace

template <class Handler>
void WizardModel::Dispatch(Handler handler) {
  try {
    handler();
  } catch (const Failure& failure) {
    Report(failure.message);
  }
}

void WizardModel::Report(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  look_.boxes.push_back({text, kTitle, true, !QuitPending()});
}

void WizardModel::StartupError(const std::string& text) {
  look_.boxes.push_back({text, "Error", false, !QuitPending()});
  ++look_.quit_requests;
  look_.exit_status = 1;
}

void WizardModel::Start(const std::vector<std::string>& arguments) {
  // The window as laid out: the last page active, both buttons enabled.
  look_.page = 2;
  look_.action = "ActionLabel";
  look_.next_enabled = true;
  look_.finish_enabled = true;
  const char* edit_names[] = {"UOClientPathEdit", "UOCDPathEdit"};
  for (std::size_t i = 0; i < 2; ++i) {
    look_.edits[i] = {edit_names[i], std::string(edit_names[i]).size(), 0};
  }
  const char* client_labels[] = {"UOClientStaIdxResultLabel", "UOClientStaticsResultLabel",
                                 "UOClientMapResultLabel"};
  const char* cd_labels[] = {"UOCDStaIdxResultLabel", "UOCDStaticsResultLabel",
                             "UOCDMapResultLabel"};
  for (std::size_t i = 0; i < 3; ++i) {
    look_.client[i] = {client_labels[i], std::nullopt};
    look_.cd[i] = {cd_labels[i], std::nullopt};
  }
  look_.cd_type = {"UOCDTypeResultLabel", std::nullopt};

  const std::size_t count = arguments.size();
  std::string patch;
  if (count != 1 && count != 3) {
    StartupError("Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]");
  } else {
    patch = arguments[0];
    WriteEdit(0, count == 3 ? arguments[1] : std::string());
    WriteEdit(1, count == 3 ? arguments[2] : std::string());
  }
  const EntrySpec* patch_entry = files_.Lookup(patch);
  if (patch_entry == nullptr || patch_entry->kind == EntryKind::kFolder) {
    StartupError(patch + " does not exist!");
  }
  if (!HasPatchExtension(patch)) StartupError(patch + " is not a .sq2 file!");
  look_.page = 0;
  UpdateWizardState();
  // The first activation: the first tab stop takes the focus.
  TabFocus(true);
}

void WizardModel::WriteEdit(int edit, const std::string& text) {
  EditLook& look = look_.edits[edit];
  if (look.text == text) return;
  look = {text, text.size(), 0};
  edit_states_[edit].can_undo = false;
  Dispatch([&] { Wish(edit); });
}

void WizardModel::RunCheck(int edit) {
  if (edit == 0) {
    ClientCheck();
  } else {
    CDCheck();
  }
}

void WizardModel::Wish(int edit) {
  newest_[edit] = ++wishes_;
  const auto blocked = std::count_if(held_.begin(), held_.end(),
                                     [](const HeldPass& pass) { return pass.edit >= 0; });
  waiting_[edit] = static_cast<std::size_t>(blocked) >= kHeldBound;
  if (waiting_[edit]) {
    ShowPending(edit);
  } else {
    StartPass(edit);
  }
}

void WizardModel::StartPass(int edit) {
  if (!stalled_) return RunCheck(edit);
  held_.push_back({edit, newest_[edit]});
  ShowPending(edit);
}

void WizardModel::ShowPending(int edit) {
  for (ResultLook& row : edit == 0 ? look_.client : look_.cd) row = {"Checking...", std::nullopt};
  if (edit == 1) {
    if (!cd_type_before_pending_) cd_type_before_pending_ = look_.cd_type.text;
    look_.cd_type.text = "Checking...";
  }
  (edit == 0 ? client_ok_ : cd_ok_) = false;
  UpdateWizardState();
}

void WizardModel::Release(std::size_t index) {
  const HeldPass pass = held_.at(index);
  held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(index));
  if (pass.edit < 0 || QuitPending()) return;
  // Only the field's newest wish shows, and only while its page is shown
  // or still to come; the check asks the disk as it is now.
  if (pass.wish == newest_[pass.edit] && !Left(pass.edit)) Dispatch([&] { RunCheck(pass.edit); });
  // The freed slot goes to the older waiting wish of a field not left.
  int next = -1;
  for (int edit = 0; edit < 2; ++edit) {
    if (Left(edit)) waiting_[edit] = false;
    if (waiting_[edit] && (next < 0 || newest_[edit] < newest_[next])) next = edit;
  }
  if (next < 0) return;
  waiting_[next] = false;
  Dispatch([&] { StartPass(next); });
}

void WizardModel::ClientCheck() {
  const std::string folder = FolderPath(look_.edits[0].text);
  client_ok_ = true;
  for (std::size_t i = 0; i < 3; ++i) {
    const EntrySpec* entry = files_.Lookup(folder + "/" + kMapFiles[i]);
    if (entry == nullptr || entry->kind == EntryKind::kFolder) {
      client_ok_ = false;
      look_.client[i] = {"Not found!", kLookRed};
    } else if (!entry->read_only) {
      look_.client[i] = {"Found and writeable!", kLookGreen};
    } else {
      client_ok_ = false;
      look_.client[i] = {"Found, but readonly!", kLookRed};
    }
  }
  UpdateWizardState();
}

void WizardModel::CDCheck() {
  const std::optional<std::string> type_before = std::exchange(cd_type_before_pending_, {});
  const std::string folder = FolderPath(look_.edits[1].text);
  cd_ok_ = true;
  for (std::size_t i = 0; i < 3; ++i) {
    const EntrySpec* entry = files_.Lookup(folder + "/" + kMapFiles[i]);
    if (entry != nullptr && entry->kind != EntryKind::kFolder) {
      look_.cd[i] = {"Found!", kLookGreen};
    } else {
      cd_ok_ = false;
      look_.cd[i] = {"Not found!", kLookRed};
    }
  }
  if (cd_ok_) {
    const EntrySpec* statics = files_.Lookup(folder + "/Statics0.mul");
    switch (statics->kind) {
      case EntryKind::kSocket:
        // A socket cannot be opened as a file (ENXIO).
        if (type_before) look_.cd_type.text = *type_before;
        throw Failure{"E/A-Fehler 6"};
      case EntryKind::kFifo:
        look_.cd_type.text = Edition(0);
        break;
      default:
        look_.cd_type.text = Edition(static_cast<std::uint32_t>(statics->size & 0xFFFFFFFFu));
        break;
    }
  } else {
    look_.cd_type.text = "Path not correct!";
  }
  UpdateWizardState();
}

void WizardModel::UpdateWizardState() {
  look_.action = kPageCaptions[look_.page];
  look_.next_enabled = look_.page == 0 ? client_ok_ : look_.page == 1 ? cd_ok_ : false;
  look_.finish_enabled = false;
  if (focus_ != kNone && !CanFocus(focus_)) SetFocus(kNone);
}

void WizardModel::NextButtonClick() {
  if (look_.page < 2) ++look_.page;
  if (focus_ != kNone && !CanFocus(focus_)) SetFocus(kNone);
  UpdateWizardState();
}

void WizardModel::ClickHandler(Focus button) {
  switch (button) {
    case kClientTest:
    case kCDTest:
      Wish(button == kClientTest ? 0 : 1);
      UpdateWizardState();
      break;
    case kNext:
      NextButtonClick();
      break;
    default:
      break;  // Finish does nothing
  }
}

bool WizardModel::CanFocus(Focus focus) const {
  switch (focus) {
    case kPageControl:
    case kProgress:
      return true;
    case kClientEdit:
    case kClientGroup:
    case kClientTest:
      return look_.page == 0;
    case kCDEdit:
    case kCDGroup:
    case kCDTest:
      return look_.page == 1;
    case kNext:
      return look_.next_enabled;
    case kFinish:
      return look_.finish_enabled;
    default:
      return false;
  }
}

bool WizardModel::TabStop(Focus focus) {
  return focus != kClientGroup && focus != kCDGroup && focus != kProgress;
}

void WizardModel::SetFocus(Focus focus) {
  focus_ = focus;
  look_.focus = focus == kNone ? "(none)" : kFocusNames[focus];
}

void WizardModel::TabFocus(bool forward) {
  // Every windowed control in tab order; the steps go round from the
  // focused one (or from the start when none has the focus).
  for (int step = 1; step <= kFocusCount; ++step) {
    int index;
    if (focus_ == kNone) {
      index = forward ? step - 1 : kFocusCount - step;
    } else {
      index = (focus_ + (forward ? step : kFocusCount - step)) % kFocusCount;
    }
    const auto candidate = static_cast<Focus>(index);
    if (TabStop(candidate) && CanFocus(candidate)) {
      SetFocus(candidate);
      const int edit = candidate == kClientEdit ? 0 : candidate == kCDEdit ? 1 : -1;
      if (edit >= 0) look_.edits[edit] = {look_.edits[edit].text, 0, look_.edits[edit].text.size()};
      return;
    }
  }
}

void WizardModel::ArrowFocus(bool forward) {
  static const std::vector<Focus> kWindowRow = {kPageControl, kNext, kFinish, kProgress};
  static const std::vector<Focus> kClientRow = {kClientEdit, kClientGroup, kClientTest};
  static const std::vector<Focus> kCDRow = {kCDEdit, kCDGroup, kCDTest};
  const std::vector<Focus>* row = &kWindowRow;
  if (std::find(kClientRow.begin(), kClientRow.end(), focus_) != kClientRow.end())
    row = &kClientRow;
  if (std::find(kCDRow.begin(), kCDRow.end(), focus_) != kCDRow.end()) row = &kCDRow;
  const auto size = static_cast<int>(row->size());
  const int at = static_cast<int>(std::find(row->begin(), row->end(), focus_) - row->begin());
  for (int step = 1; step < size; ++step) {
    const Focus candidate =
        (*row)[static_cast<std::size_t>((at + (forward ? step : size - step)) % size)];
    if (CanFocus(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

std::optional<std::string> WizardModel::DroppedFolder(const std::string& items) const {
  auto without_trailing_slashes = [](std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
  };
  std::vector<std::string> paths;
  for (std::size_t pos = 0; pos <= items.size();) {
    const std::size_t end = std::min(items.find('\n', pos), items.size());
    paths.push_back(items.substr(pos, end - pos));
    pos = end + 1;
  }
  std::optional<std::string> folder;
  for (const std::string& path : paths) {
    // Only a full local path: "//host/..." lies on another machine.
    if (path.empty() || path[0] != '/' || (path.size() > 1 && path[1] == '/')) return std::nullopt;
  }
  for (const std::string& path : paths) {
    // A file, or a name that is not there, stands for the folder that holds it.
    const std::string named = files_.IsFolderAsSpelt(path)
                                  ? without_trailing_slashes(path)
                                  : without_trailing_slashes(path.substr(0, path.rfind('/') + 1));
    if (folder.has_value() && *folder != named) return std::nullopt;
    folder = named;
  }
  return folder;
}

int WizardModel::ActiveEdit() const { return look_.page < 2 ? look_.page : -1; }

bool WizardModel::FolderFieldFocused() const {
  return (focus_ == kClientEdit && look_.page == 0) || (focus_ == kCDEdit && look_.page == 1);
}

void WizardModel::MoveCaret(int edit, std::size_t caret) {
  look_.edits[edit].selection_start = std::min(caret, look_.edits[edit].text.size());
  look_.edits[edit].selection_length = 0;
}

void WizardModel::UserChange(int edit, std::string text, std::size_t caret) {
  edit_states_[edit].undo_text = look_.edits[edit].text;
  edit_states_[edit].can_undo = true;
  look_.edits[edit].text = std::move(text);
  MoveCaret(edit, caret);
  Dispatch([&] { Wish(edit); });
}

void WizardModel::ReplaceSelection(int edit, const std::string& typed) {
  const EditLook& look = look_.edits[edit];
  if (typed.empty() && look.selection_length == 0) return;
  std::string text = look.text;
  text.replace(look.selection_start, look.selection_length, typed);
  UserChange(edit, std::move(text), look.selection_start + typed.size());
}

void WizardModel::Apply(const UserStep& step) {
  const int edit = FolderFieldFocused() ? ActiveEdit() : -1;
  const bool on_edit = edit >= 0;
  const bool on_button =
      focus_ == kClientTest || focus_ == kCDTest || focus_ == kNext || focus_ == kFinish;
  switch (step.kind) {
    case StepKind::kType:
    case StepKind::kPaste:
      if (on_edit) ReplaceSelection(edit, step.text);
      break;
    case StepKind::kBackspace:
    case StepKind::kDelete: {
      if (!on_edit) break;
      const EditLook& look = look_.edits[edit];
      if (look.selection_length > 0) {
        ReplaceSelection(edit, {});
      } else if (step.kind == StepKind::kBackspace && look.selection_start > 0) {
        std::string text = look.text;
        text.erase(look.selection_start - 1, 1);
        UserChange(edit, std::move(text), look.selection_start - 1);
      } else if (step.kind == StepKind::kDelete && look.selection_start < look.text.size()) {
        std::string text = look.text;
        text.erase(look.selection_start, 1);
        UserChange(edit, std::move(text), look.selection_start);
      }
      break;
    }
    case StepKind::kSelectAll:
      if (on_edit) look_.edits[edit] = {look_.edits[edit].text, 0, look_.edits[edit].text.size()};
      break;
    case StepKind::kUndo:
      // One level: a second undo takes back the first.
      if (on_edit && edit_states_[edit].can_undo) {
        std::string previous = edit_states_[edit].undo_text;
        const std::size_t caret = previous.size();
        UserChange(edit, std::move(previous), caret);
      }
      break;
    case StepKind::kClickEdit: {
      const int visible = ActiveEdit();
      if (visible < 0) break;
      SetFocus(visible == 0 ? kClientEdit : kCDEdit);
      MoveCaret(visible, look_.edits[visible].text.size());
      break;
    }
    case StepKind::kDrop: {
      const int visible = ActiveEdit();
      if (visible < 0) break;
      if (stalled_) {
        held_.push_back({-1, 0});
      } else if (const std::optional<std::string> folder = DroppedFolder(step.text)) {
        UserChange(visible, *folder, folder->size());
      }
      break;
    }
    case StepKind::kClickTest:
    case StepKind::kClickNext:
    case StepKind::kClickFinish: {
      Focus button = step.kind == StepKind::kClickNext     ? kNext
                     : step.kind == StepKind::kClickFinish ? kFinish
                     : look_.page == 0                     ? kClientTest
                                                           : kCDTest;
      // A disabled or hidden button takes no click.
      if (!CanFocus(button)) break;
      Dispatch([&] {
        SetFocus(button);
        ClickHandler(button);
      });
      break;
    }
    case StepKind::kTab:
    case StepKind::kShiftTab:
      TabFocus(step.kind == StepKind::kTab);
      if (on_edit) {
        // The field that lost the focus keeps its selection.
      }
      break;
    case StepKind::kCtrlTab:
    case StepKind::kEscape:
      break;  // no tabs to step through, no cancel button
    case StepKind::kLeft:
    case StepKind::kRight:
    case StepKind::kUp:
    case StepKind::kDown: {
      const bool forward = step.kind == StepKind::kRight || step.kind == StepKind::kDown;
      if (on_edit) {
        EditLook& look = look_.edits[edit];
        if (step.kind == StepKind::kUp || step.kind == StepKind::kDown) break;
        if (look.selection_length > 0) {
          MoveCaret(edit,
                    forward ? look.selection_start + look.selection_length : look.selection_start);
        } else if (forward) {
          MoveCaret(edit, look.selection_start + 1);
        } else if (look.selection_start > 0) {
          MoveCaret(edit, look.selection_start - 1);
        }
      } else if (focus_ != kNone && focus_ != kPageControl) {
        ArrowFocus(forward);
      }
      break;
    }
    case StepKind::kHome:
    case StepKind::kEnd:
      if (on_edit)
        MoveCaret(edit, step.kind == StepKind::kHome ? 0 : look_.edits[edit].text.size());
      break;
    case StepKind::kEnter:
      if (on_button) {
        const Focus button = focus_;
        Dispatch([&] { ClickHandler(button); });
      }
      break;
  }
}

}  // namespace sqp::sessions
