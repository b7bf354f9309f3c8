#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace sqp::qt {

// The paths of the items a file manager dropped: a local file's URL as the
// file system spells its path, any other URL as its text.
std::vector<std::string> DroppedPaths(const QMimeData& data);

// Whether a dropped path is a folder.
bool IsFolder(const std::string& path);

}  // namespace sqp::qt
