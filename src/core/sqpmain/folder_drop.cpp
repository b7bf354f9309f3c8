#include "sqpmain/folder_drop.h"

#include "probes/path_text.h"

namespace sqp {

std::optional<std::string> DroppedFolder(const std::vector<std::string>& paths,
                                         const FolderTest& is_folder, PathStyle style) {
  for (const std::string& path : paths) {
    if (!IsFullLocalPath(path, style)) return std::nullopt;
  }
  std::optional<std::string> folder;
  for (const std::string& path : paths) {
    std::string item_folder =
        is_folder(path) ? WithoutTrailingSeparators(path, style) : HoldingFolder(path, style);
    if (folder.has_value() && *folder != item_folder) return std::nullopt;
    folder = std::move(item_folder);
  }
  return folder;
}

}  // namespace sqp
