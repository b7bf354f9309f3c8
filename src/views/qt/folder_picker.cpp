#include "folder_picker.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace sqp::qt {

std::optional<QString> ChooseFolderInDialog(QWidget* parent, const QString& start_folder,
                                            const NamesFolder& names_folder_of) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Browse for folder"));
  auto* folders = new QFileSystemModel(&dialog);
  folders->setReadOnly(true);
  folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders->setRootPath(QDir::rootPath());
  auto* tree = new QTreeView(&dialog);
  tree->setModel(folders);
  tree->setHeaderHidden(true);
  for (int column = 1; column < folders->columnCount(); ++column) tree->hideColumn(column);
  auto* path = new QLineEdit(&dialog);
  path->setAccessibleName(QStringLiteral("Folder"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(tree);
  layout->addWidget(path);
  layout->addWidget(buttons);
  dialog.resize(dialog.fontMetrics().averageCharWidth() * 60, dialog.fontMetrics().height() * 25);

  QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, path,
                   [folders, path](const QModelIndex& current) {
                     if (current.isValid()) path->setText(folders->filePath(current));
                   });
  // OK only for a folder that exists, as the checks find folders (any
  // letter case, drive letters, "~").
  const auto names_folder = [path, names_folder_of] {
    return names_folder_of(QFile::encodeName(path->text()).toStdString());
  };
  const auto follow_path = [buttons, names_folder] {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(names_folder());
  };
  QObject::connect(path, &QLineEdit::textChanged, buttons, follow_path);
  QObject::connect(path, &QLineEdit::returnPressed, &dialog, [&dialog, names_folder] {
    if (names_folder()) dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  const QString start = start_folder.isEmpty() ? QDir::homePath() : start_folder;
  // The model reads each folder on the way on a thread of its own: the start
  // is shown once its folders have arrived.
  const auto show_start = [folders, tree, start] {
    const QModelIndex start_index = folders->index(start);
    tree->setCurrentIndex(start_index);
    tree->scrollTo(start_index, QAbstractItemView::PositionAtCenter);
  };
  QObject::connect(folders, &QFileSystemModel::directoryLoaded, tree,
                   [show_start, start](const QString& loaded) {
                     if (start.startsWith(loaded)) show_start();
                   });
  show_start();
  path->setText(start);
  follow_path();
  path->setFocus();
  path->selectAll();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return path->text();
}

}  // namespace sqp::qt
