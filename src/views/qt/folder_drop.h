#pragma once

#include <optional>
#include <string>

class QMimeData;

namespace sqp::qt {

// The folder that a drop from a file manager names: a dropped folder
// itself, a dropped file the folder that holds it. Several items count when
// they all lie in one folder. Nothing for a drop without URLs, with a URL
// that is not a local file, or with items from different folders.
std::optional<std::string> DroppedFolder(const QMimeData& data);

}  // namespace sqp::qt
