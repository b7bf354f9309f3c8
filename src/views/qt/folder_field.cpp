#include "folder_field.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <memory>

#include "folder_completer.h"
#include "probes/existing_folder.h"

namespace sqp::qt {

std::optional<QString> ChooseFolderInDialog(QWidget* parent, const QString& start_folder) {
  // Read-only: Qt's own dialog offers no way to make or rename folders.
  const QString chosen = QFileDialog::getExistingDirectory(
      parent, QString(), start_folder, QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

FolderField::FolderField(Application& application, widgets::Edit& edit, QLineEdit* line,
                         FolderChooser choose_folder)
    : QObject(line),
      application_(application),
      edit_(edit),
      line_(line),
      choose_folder_(std::move(choose_folder)),
      completer_(new FolderCompleter(
          line, [this](const QString& text) { ReplaceText(text.toStdString()); })) {
  // Connected after the window's own handler: the check has run on the new
  // text before the list follows it.
  connect(line_, &QLineEdit::textEdited, this, &FolderField::TextEdited);
  line_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(line_, &QWidget::customContextMenuRequested, this, &FolderField::ShowContextMenu);
}

void FolderField::TextEdited(const QString& text) {
  if (!edit_.CanFocus() || !line_->hasFocus()) return completer_->Close();
  const std::optional<FolderCompletionBase> base = CompletionBaseOf(text.toStdString());
  if (!base) return completer_->Close();
  completer_->Offer(QString::fromStdString(base->typed_folder),
                    QFileInfo(QFile::decodeName(base->folder.c_str())).absoluteFilePath(),
                    QString::fromStdString(base->typed_name));
}

void FolderField::ShowContextMenu(const QPoint& position) {
  std::unique_ptr<QMenu> menu(line_->createStandardContextMenu());
  QAction* browse = nullptr;
  if (edit_.CanFocus()) {
    menu->addSeparator();
    browse = menu->addAction(QStringLiteral("Browse for folder..."));
  }
  QAction* chosen = menu->exec(line_->mapToGlobal(position));
  menu.reset();
  if (chosen != nullptr && chosen == browse) BrowseForFolder();
}

void FolderField::BrowseForFolder() {
  const std::optional<std::string> start = FolderPickerStart(edit_.Text());
  const std::optional<QString> chosen =
      choose_folder_(line_->window(), start ? QFile::decodeName(start->c_str()) : QString());
  // The chooser ran its own event loop: the field may have gone meanwhile.
  if (!chosen || !edit_.CanFocus()) return;
  // The file system's own bytes for the name, as the probes will use them.
  ReplaceText(QFile::encodeName(*chosen).toStdString());
}

void FolderField::ReplaceText(const std::string& text) {
  application_.Dispatch([&] { edit_.UserReplaceText(text); });
}

}  // namespace sqp::qt
