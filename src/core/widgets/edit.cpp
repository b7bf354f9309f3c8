#include "widgets/edit.h"

#include <algorithm>

namespace sqp::widgets {

namespace {
bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void Edit::SetText(std::string text) {
  if (text == Text()) return;
  Control::SetText(std::move(text));
  can_undo_ = false;
  Select(Text().size(), 0);
  if (on_change) on_change(this);
}

void Edit::UserTypeText(std::string_view typed) {
  if (typed.empty() && selection_length_ == 0) return;
  std::string text = Text();
  text.replace(selection_start_, selection_length_, typed);
  ApplyUserChange(std::move(text), selection_start_ + typed.size());
}

void Edit::UserBackspace() {
  if (selection_length_ > 0) return UserTypeText({});
  if (selection_start_ == 0) return;
  std::size_t from = selection_start_ - 1;
  while (from > 0 && IsUtf8Continuation(Text()[from])) --from;
  std::string text = Text();
  text.erase(from, selection_start_ - from);
  ApplyUserChange(std::move(text), from);
}

void Edit::UserDelete() {
  if (selection_length_ > 0) return UserTypeText({});
  if (selection_start_ >= Text().size()) return;
  std::size_t to = selection_start_ + 1;
  while (to < Text().size() && IsUtf8Continuation(Text()[to])) ++to;
  std::string text = Text();
  text.erase(selection_start_, to - selection_start_);
  ApplyUserChange(std::move(text), selection_start_);
}

std::string Edit::UserCut() {
  std::string cut = SelectedText();
  if (!cut.empty()) UserTypeText({});
  return cut;
}

void Edit::UserUndo() {
  // One level, as the native edit keeps it: undoing twice restores the change.
  if (!can_undo_) return;
  std::string previous = undo_text_;
  const std::size_t caret = previous.size();
  ApplyUserChange(std::move(previous), caret);
}

void Edit::UserReplaceText(std::string text) {
  const std::size_t caret = text.size();
  ApplyUserChange(std::move(text), caret);
}

void Edit::Select(std::size_t start, std::size_t length) {
  start = ClampToCharStart(start);
  const std::size_t end = ClampToCharStart(std::min(start + length, Text().size()));
  if (start == selection_start_ && end - start == selection_length_) return;
  selection_start_ = start;
  selection_length_ = end - start;
  Notify(Change::kSelection);
}

void Edit::ApplyUserChange(std::string text, std::size_t caret) {
  undo_text_ = Text();
  can_undo_ = true;
  Control::SetText(std::move(text));
  Select(caret, 0);
  if (on_change) on_change(this);
}

std::size_t Edit::ClampToCharStart(std::size_t pos) const {
  pos = std::min(pos, Text().size());
  while (pos > 0 && pos < Text().size() && IsUtf8Continuation(Text()[pos])) --pos;
  return pos;
}

}  // namespace sqp::widgets
