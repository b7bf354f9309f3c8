#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/model_files.h"
#include "model/wizard_look.h"
#include "support/user_step.h"

namespace sqp::sessions {

// What the wizard should show, worked out from the rules of the wizard alone
// (pages, checks, start-up, focus, message boxes) over the model's own view
// of the files. It shares no code with the program.
class WizardModel {
 public:
  explicit WizardModel(ModelFiles files) : files_(std::move(files)) {}

  // Start-up with these arguments, then the window's first activation.
  void Start(const std::vector<std::string>& arguments);
  void Apply(const UserStep& step);

  ModelFiles& Files() { return files_; }
  const WizardLook& Look() const { return look_; }
  bool QuitPending() const { return look_.quit_requests > 0; }
  // Whether the folder field of the visible page has the focus.
  bool FolderFieldFocused() const;
  int Page() const { return look_.page; }

  // The disk as the checks meet it: while it stalls, a pass is held and its
  // page waits, and a drop's question is held and the drop refused; once it
  // answers, new passes and questions answer at once.
  void SetStalled(bool stalled) { stalled_ = stalled; }
  std::size_t Held() const { return held_.size(); }
  // The held pass `index` (counted in the order they were held) asks the
  // disk now and lands.
  void Release(std::size_t index);

 private:
  enum Focus {
    kNone = -1,
    kPageControl,
    kClientEdit,
    kClientGroup,
    kClientTest,
    kCDEdit,
    kCDGroup,
    kCDTest,
    kNext,
    kFinish,
    kProgress,
    kFocusCount
  };
  struct EditState {
    std::string undo_text;
    bool can_undo = false;
  };
  // A failure escaping a handler; the dispatch point shows it.
  struct Failure {
    std::string message;
  };
  struct HeldPass {
    int edit;  // -1: a drop's question, which lands nothing and takes no slot
    std::uint64_t wish;
  };

  template <class Handler>
  void Dispatch(Handler handler);
  void Report(const std::string& message);
  void StartupError(const std::string& text);

  void ClientCheck();
  void CDCheck();
  void RunCheck(int edit);
  // A new wish for the field's check: answered now, held, or waiting for
  // a slot while too many passes are held.
  void Wish(int edit);
  void StartPass(int edit);
  void ShowPending(int edit);
  bool Left(int edit) const { return look_.page > edit; }
  void UpdateWizardState();
  void NextButtonClick();
  void ClickHandler(Focus button);

  void WriteEdit(int edit, const std::string& text);
  void UserChange(int edit, std::string text, std::size_t caret);
  void ReplaceSelection(int edit, const std::string& typed);

  bool CanFocus(Focus focus) const;
  static bool TabStop(Focus focus);
  void SetFocus(Focus focus);
  void TabFocus(bool forward);
  void ArrowFocus(bool forward);
  int ActiveEdit() const;
  // The folder that dropped items name, one item per line; nothing when the
  // field refuses them.
  std::optional<std::string> DroppedFolder(const std::string& items) const;
  void MoveCaret(int edit, std::size_t caret);

  ModelFiles files_;
  WizardLook look_;
  std::array<EditState, 2> edit_states_;
  bool client_ok_ = false;
  bool cd_ok_ = false;
  Focus focus_ = kNone;
  bool stalled_ = false;
  std::vector<HeldPass> held_;
  std::uint64_t wishes_ = 0;
  std::array<std::uint64_t, 2> newest_{};
  std::array<bool, 2> waiting_{};
  // "CD type" before its page went pending: a late size failure puts it back.
  std::optional<std::string> cd_type_before_pending_;
};

}  // namespace sqp::sessions
