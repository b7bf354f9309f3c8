#include "sqpmain/check_scheduler.h"

namespace sqp {

int CheckScheduler::AddField(Field field) {
  fields_.push_back({std::move(field), 0, 0, std::nullopt});
  return static_cast<int>(fields_.size()) - 1;
}

void CheckScheduler::Wish(int field, CheckPass pass) {
  FieldState& state = fields_[static_cast<std::size_t>(field)];
  state.newest = ++wishes_;
  state.waiting.reset();
  if (blocked_ >= kMaxBlockedPasses) {
    state.waiting = std::move(pass);
    state.field.show_pending();
    return;
  }
  Start(field, std::move(pass));
}

void CheckScheduler::Start(int field, CheckPass pass) {
  FieldState& state = fields_[static_cast<std::size_t>(field)];
  const std::uint64_t wish = state.newest;
  std::weak_ptr<CheckScheduler*> alive = alive_;
  auto landed = [alive, field, wish, show = pass.show] {
    if (const auto scheduler = alive.lock()) (*scheduler)->Landed(field, wish, show);
  };
  // A field already waiting on its disk is not waited for again: keys typed
  // faster than the wait would each add it to the next key's repaint.
  const std::chrono::milliseconds wait =
      state.blocked > 0 ? std::chrono::milliseconds(0) : kCheckWait;
  if (runner_->Run(std::move(pass.ask), wait, std::move(landed))) {
    pass.show();
    return;
  }
  ++blocked_;
  ++state.blocked;
  state.field.show_pending();
}

void CheckScheduler::Landed(int field, std::uint64_t wish, const std::function<void()>& show) {
  --blocked_;
  FieldState& state = fields_[static_cast<std::size_t>(field)];
  --state.blocked;
  // Closing the window ends the program; nothing is shown on the way out.
  if (application_.QuitPending()) return;
  if (wish == state.newest && !state.field.left()) application_.Dispatch(show);
  StartWaiting();
}

void CheckScheduler::StartWaiting() {
  // The oldest waiting wish takes the freed slot; a field the user has left
  // is not asked again.
  FieldState* next = nullptr;
  int next_field = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    FieldState& state = fields_[i];
    if (!state.waiting) continue;
    if (state.field.left()) {
      state.waiting.reset();
      continue;
    }
    if (next == nullptr || state.newest < next->newest) {
      next = &state;
      next_field = static_cast<int>(i);
    }
  }
  if (next == nullptr) return;
  CheckPass pass = std::move(*next->waiting);
  next->waiting.reset();
  application_.Dispatch([&] { Start(next_field, std::move(pass)); });
}

}  // namespace sqp
