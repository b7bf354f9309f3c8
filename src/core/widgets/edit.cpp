#include "widgets/edit.h"

#include <algorithm>

namespace sqp::widgets {

namespace {
bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void Edit::SetText(std::string text) {
  if (text == Text()) return;
  Control::SetText(std::move(text));
  Select(Text().size(), 0);
  if (on_change) on_change(this);
}

void Edit::UserReplaceText(std::string text) {
  Control::SetText(std::move(text));
  Select(Text().size(), 0);
  if (on_change) on_change(this);
}

void Edit::Select(std::size_t start, std::size_t length) {
  start = ClampToCharStart(start);
  const std::size_t end = ClampToCharStart(std::min(start + length, Text().size()));
  if (start == selection_start_ && end - start == selection_length_) return;
  selection_start_ = start;
  selection_length_ = end - start;
  Notify(Change::kSelection);
}

std::size_t Edit::ClampToCharStart(std::size_t pos) const {
  pos = std::min(pos, Text().size());
  while (pos > 0 && pos < Text().size() && IsUtf8Continuation(Text()[pos])) --pos;
  return pos;
}

}  // namespace sqp::widgets
