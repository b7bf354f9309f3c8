#include "folder_list_model.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileSystemModel>
#include <algorithm>

namespace sqp::qt {

FolderListModel::FolderListModel(QObject* owner)
    : QAbstractListModel(owner), files_(new QFileSystemModel(this)) {
  files_->setReadOnly(true);
  files_->setFilter(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
  files_->setOption(QFileSystemModel::DontUseCustomDirectoryIcons);
  // Entries arrive in batches as the reader goes through the folder.
  const auto refresh_under = [this](const QModelIndex& parent) {
    if (parent == folder_) Refresh();
  };
  connect(files_, &QAbstractItemModel::rowsInserted, this, refresh_under);
  connect(files_, &QAbstractItemModel::rowsRemoved, this, refresh_under);
  connect(files_, &QAbstractItemModel::modelReset, this, &FolderListModel::Refresh);
  connect(files_, &QAbstractItemModel::layoutChanged, this, &FolderListModel::Refresh);
}

void FolderListModel::List(const QString& folder, const QString& shown_folder, bool with_hidden) {
  if (shown_folder != shown_folder_) {
    beginResetModel();
    shown_folder_ = shown_folder;
    endResetModel();
  }
  with_hidden_ = with_hidden;
  if (files_->rootPath() != folder || !folder_.isValid()) folder_ = files_->setRootPath(folder);
  Refresh();
}

void FolderListModel::Refresh() {
  QStringList names;
  if (folder_.isValid()) {
    const int rows = files_->rowCount(folder_);
    for (int row = 0; row < rows; ++row) {
      const QString name = files_->fileName(files_->index(row, 0, folder_));
      if (with_hidden_ || !name.startsWith(QLatin1Char('.'))) names << name;
    }
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  // An unchanged list keeps the entry the user has picked in the popup.
  if (names == names_) return;
  beginResetModel();
  names_ = std::move(names);
  endResetModel();
}

int FolderListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= names_.size()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return shown_folder_ + names_.at(index.row());
    case Qt::EditRole:
      return names_.at(index.row());
    case Qt::DecorationRole:
      return files_->iconProvider() != nullptr
                 ? files_->iconProvider()->icon(QAbstractFileIconProvider::Folder)
                 : QVariant();
    default:
      return {};
  }
}

}  // namespace sqp::qt
