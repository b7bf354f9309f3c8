#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sqp::win32 {

// The folder that a drop from Explorer names: a dropped folder itself, a
// dropped file the folder that holds it. Several items count when they all
// lie in one folder. Nothing for an empty drop, a network path or items
// from different folders. `is_folder` tells whether a path is a folder.
std::optional<std::wstring> DroppedFolder(
    const std::vector<std::wstring>& paths,
    const std::function<bool(const std::wstring&)>& is_folder);

}  // namespace sqp::win32
