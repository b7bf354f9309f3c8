#include "folder_drop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace sqp::qt {

std::optional<std::string> DroppedFolder(const QMimeData& data) {
  std::optional<QString> folder;
  for (const QUrl& url : data.urls()) {
    // A host makes even a file URL a network path ("//host/...").
    if (!url.isLocalFile() || !url.host().isEmpty()) return std::nullopt;
    const QFileInfo item(url.toLocalFile());
    const QString item_folder =
        item.isDir() ? QDir::cleanPath(item.absoluteFilePath()) : item.absolutePath();
    if (folder.has_value() && *folder != item_folder) return std::nullopt;
    folder = item_folder;
  }
  if (!folder.has_value()) return std::nullopt;
  // The file system's own bytes for the name, as the probes will use them.
  return QFile::encodeName(*folder).toStdString();
}

}  // namespace sqp::qt
