#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "probes/platform_path.h"

namespace sqp {

// Asks the file system whether a dropped path is a folder.
using FolderTest = std::function<bool(const std::string& path)>;

// The folder that dropped items name: a folder itself, a file the folder
// that holds it. Several items count only when they all name one folder.
// Nothing for an empty drop, an item that is no full local path (a network
// location, a web address, a bare name) or items of different folders.
// `is_folder` is asked only about local paths: on a network path it could
// wait for a server.
std::optional<std::string> DroppedFolder(const std::vector<std::string>& paths,
                                         const FolderTest& is_folder,
                                         PathStyle style = kPlatformPathStyle);

}  // namespace sqp
