#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sqp::win32 {

// The paths of the items Explorer dropped, in UTF-8.
std::vector<std::string> DroppedPaths(HDROP drop);

// Whether a dropped path is a folder.
bool IsFolder(const std::string& path);

}  // namespace sqp::win32
