#pragma once

#include <QAbstractListModel>
#include <QPersistentModelIndex>
#include <QStringList>

class QFileSystemModel;

namespace sqp::qt {

// The folders in one folder, sorted by name without regard to letter case.
// A QFileSystemModel reads them off the GUI thread and keeps them current;
// the list follows it. Names starting with "." are hidden folders and are
// listed only on request. An entry's edit role is its name; it is shown as
// the whole text it completes to. Nothing is ever written.
class FolderListModel : public QAbstractListModel {
 public:
  explicit FolderListModel(QObject* owner = nullptr);

  // Lists the folders in `folder`, an absolute path, each shown after
  // `shown_folder` (the folder as the user typed it).
  void List(const QString& folder, const QString& shown_folder, bool with_hidden);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  void Refresh();

  QFileSystemModel* files_;
  QPersistentModelIndex folder_;
  QString shown_folder_;
  bool with_hidden_ = false;
  QStringList names_;
};

}  // namespace sqp::qt
