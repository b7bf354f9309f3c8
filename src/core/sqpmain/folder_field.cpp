#include "sqpmain/folder_field.h"

#include <algorithm>

#include "probes/name_match.h"
#include "probes/path_text.h"

namespace sqp {

std::optional<std::string> FolderField::PickerStart() const {
  return checks_
      .AnswerInTime<std::optional<std::string>>(
          [text = edit_.Text()] { return FolderPickerStart(text); })
      .value_or(std::nullopt);
}

bool FolderField::NamesFolderInTime(std::string text) const {
  return checks_
      .AnswerInTime<bool>([text = std::move(text)] { return ExistingFolder(text).has_value(); })
      .value_or(false);
}

std::optional<std::string> FolderField::CompletionText() const {
  if (!OffersFolders() || LastSeparator(edit_.Text()) == std::string::npos) return std::nullopt;
  return edit_.Text();
}

std::vector<std::string> FolderField::ListEntries(const FolderCompletionBase& base,
                                                  const std::vector<ListedFolder>& listing) {
  const std::string_view typed = base.typed_name;
  const bool with_hidden = !typed.empty() && typed.front() == '.';
  std::vector<std::string_view> names;
  for (const ListedFolder& folder : listing) {
    const std::string_view name = folder.name;
    if ((folder.hidden && !with_hidden) || name.size() < typed.size() ||
        !EqualsIgnoringAsciiCase(name.substr(0, typed.size()), typed))
      continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), ListsBefore);
  std::vector<std::string> entries;
  entries.reserve(names.size());
  for (std::string_view name : names) entries.push_back(base.typed_folder + std::string(name));
  return entries;
}

std::optional<std::vector<std::string>> FolderField::EntriesInTime(std::string text) const {
  return checks_
      .AnswerInTime<std::optional<std::vector<std::string>>>(
          [text = std::move(text)]() -> std::optional<std::vector<std::string>> {
            const std::optional<FolderCompletionBase> base = CompletionBaseOf(text);
            if (!base) return std::nullopt;
            return ListEntries(*base, ListFolders(base->folder));
          })
      .value_or(std::nullopt);
}

ListKeyAction FolderField::KeyWhileListOpen(widgets::Key key, bool entry_picked) {
  switch (key) {
    case widgets::Key::kUp:
    case widgets::Key::kDown:
      return ListKeyAction::kMoveInList;
    case widgets::Key::kEnter:
      return entry_picked ? ListKeyAction::kTakeEntry : ListKeyAction::kCloseList;
    case widgets::Key::kTab:
      return entry_picked ? ListKeyAction::kTakeEntry : ListKeyAction::kCloseAndPass;
    case widgets::Key::kEscape:
      return ListKeyAction::kCloseList;
    default:
      return ListKeyAction::kToField;
  }
}

bool FolderField::TakeText(std::string text) {
  if (!OffersFolders()) return false;
  application_.Dispatch([&] { edit_.UserReplaceText(std::move(text)); });
  return true;
}

std::optional<std::string> FolderField::FolderForDrop(const std::vector<std::string>& paths,
                                                      const FolderTest& is_folder) const {
  if (!OffersFolders()) return std::nullopt;
  return checks_
      .AnswerInTime<std::optional<std::string>>(
          [paths, is_folder] { return DroppedFolder(paths, is_folder); })
      .value_or(std::nullopt);
}

}  // namespace sqp
