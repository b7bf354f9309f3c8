#include "dropped_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace sqp::qt {

std::vector<std::string> DroppedPaths(const QMimeData& data) {
  std::vector<std::string> paths;
  for (const QUrl& url : data.urls()) {
    // A file URL with a host becomes "//host/...", a network path.
    paths.push_back(url.isLocalFile() ? QFile::encodeName(url.toLocalFile()).toStdString()
                                      : url.toString().toStdString());
  }
  return paths;
}

bool IsFolder(const std::string& path) {
  return QFileInfo(QFile::decodeName(path.c_str())).isDir();
}

}  // namespace sqp::qt
