#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/application.h"
#include "sqpmain/check_runner.h"

namespace sqp {

// How long the window waits for a pass before it shows the page pending.
inline constexpr std::chrono::milliseconds kCheckWait{100};
// Passes that may be blocked in the file system at once, for the whole
// program: a hung mount never piles up more threads than these.
inline constexpr int kMaxBlockedPasses = 8;

// One pass: `ask` computes the answers off the window's thread, `show`
// applies them on it.
struct CheckPass {
  std::function<void()> ask;
  std::function<void()> show;
};

// Hands the passes of the folder fields to a runner and decides which
// answers reach the window. Every call comes on the window's thread.
class CheckScheduler {
 public:
  struct Field {
    // Shows the page waiting for its answers, with its flag false.
    std::function<void()> show_pending;
    // True once the user has moved on to a later page.
    std::function<bool()> left;
  };

  explicit CheckScheduler(Application& application) : application_(application) {}
  CheckScheduler(const CheckScheduler&) = delete;
  CheckScheduler& operator=(const CheckScheduler&) = delete;

  // Where the checks' passes run, and where the window's other questions
  // to the file system do.
  void SetRunners(CheckRunner& passes, CheckRunner& questions) {
    runner_ = &passes;
    questions_ = &questions;
  }

  // A question of the window to the file system beside the checks (where
  // the picker opens, which folder a drop names): its answer when it comes
  // within kCheckWait, else nothing, and a late answer is dropped.
  template <class T>
  std::optional<T> AnswerInTime(std::function<T()> question) {
    auto answer = std::make_shared<std::optional<T>>();
    if (!questions_->Run([answer, question = std::move(question)] { *answer = question(); },
                         kCheckWait, [] {}))
      return std::nullopt;
    return std::move(*answer);
  }
  // The field's number for Wish.
  int AddField(Field field);

  // The field's newest wish, which makes any older pass of it stale. Its
  // answers are shown inside this call when they come in time.
  void Wish(int field, CheckPass pass);

 private:
  struct FieldState {
    Field field;
    std::uint64_t newest = 0;
    // The newest wish when no slot was free for it.
    std::optional<CheckPass> waiting;
  };

  void Start(int field, CheckPass pass);
  void Landed(int field, std::uint64_t wish, const std::function<void()>& show);
  void StartWaiting();

  Application& application_;
  InlineCheckRunner inline_runner_;
  CheckRunner* runner_ = &inline_runner_;
  CheckRunner* questions_ = &inline_runner_;
  std::vector<FieldState> fields_;
  std::uint64_t wishes_ = 0;
  int blocked_ = 0;
  // Late answers find it gone once the window is.
  std::shared_ptr<CheckScheduler*> alive_ = std::make_shared<CheckScheduler*>(this);
};

}  // namespace sqp
