#include "probes/existing_folder.h"

#include "probes/folder_path.h"
#include "probes/path_text.h"

namespace sqp {

std::optional<std::string> FolderPickerStart(std::string_view folder_text) {
  if (TrimControlAndBlanks(folder_text).empty()) return std::nullopt;
  return ExistingFolder(folder_text);
}

std::optional<FolderCompletionBase> CompletionBaseOf(std::string_view folder_text) {
  const std::size_t separator = LastSeparator(folder_text);
  if (separator == std::string_view::npos) return std::nullopt;
  const std::string_view typed_folder = folder_text.substr(0, separator + 1);
  std::optional<std::string> folder = ExistingFolder(typed_folder);
  if (!folder) return std::nullopt;
  return FolderCompletionBase{std::string(typed_folder), std::move(*folder),
                              std::string(folder_text.substr(separator + 1))};
}

}  // namespace sqp
