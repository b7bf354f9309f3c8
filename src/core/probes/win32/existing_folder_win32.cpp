#include <windows.h>

#include "encoding/win32/text_conversion.h"
#include "probes/existing_folder.h"
#include "probes/folder_path.h"
#include "probes/name_match.h"

namespace sqp {

std::optional<std::string> ExistingFolder(std::string_view folder_text) {
  std::string path = NormalizeFolderPath(folder_text);
  // "C:" alone means the current folder of drive C; the folder named is its root.
  if (path.size() == 2 && path[1] == ':') path += '\\';
  // A pattern in a folder's name finds nothing, as in the probes' paths.
  if (HasWildcard(path)) return std::nullopt;
  const std::optional<std::string> ansi = Utf8ToAnsi(path);
  if (!ansi || ansi->empty() || ansi->size() >= MAX_PATH) return std::nullopt;
  const DWORD attributes = GetFileAttributesA(ansi->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return std::nullopt;
  return path;
}

}  // namespace sqp
