#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "app/application.h"
#include "widgets/edit.h"

class QLineEdit;
class QPoint;
class QWidget;

namespace sqp::qt {

class FolderCompleter;

// Asks the user for a folder, starting in `start_folder` (empty: wherever
// the chooser starts); nothing when the user cancels.
using FolderChooser =
    std::function<std::optional<QString>(QWidget* parent, const QString& start_folder)>;

// The desktop's folder chooser (the native or portal dialog where there is one).
std::optional<QString> ChooseFolderInDialog(QWidget* parent, const QString& start_folder);

// What a folder field offers beyond typing: completion of folder names as
// the user types, and "Browse for folder..." in its context menu. Whatever
// either produces reaches the core as one user edit, so the check runs once.
// A field that cannot take input (disabled, or on a page left) offers
// neither.
class FolderField : public QObject {
 public:
  FolderField(Application& application, widgets::Edit& edit, QLineEdit* line,
              FolderChooser choose_folder);

 private:
  void TextEdited(const QString& text);
  void ShowContextMenu(const QPoint& position);
  void BrowseForFolder();
  void ReplaceText(const std::string& text);

  Application& application_;
  widgets::Edit& edit_;
  QLineEdit* line_;
  FolderChooser choose_folder_;
  FolderCompleter* completer_;
};

}  // namespace sqp::qt
