#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "folder_picker.h"
#include "sqpmain/folder_field.h"

class QLineEdit;
class QPoint;

namespace sqp::qt {

class FolderCompleter;

// Draws what the core's folder field offers beyond typing: the completion
// list as the user types, and "Browse for folder..." in the context menu.
// Whatever either produces, and a text set through assistive technology,
// reaches the core as one user edit, so the check runs once.
class FolderFieldView : public QObject {
 public:
  FolderFieldView(FolderField& field, QLineEdit* line, FolderChooser choose_folder);

 private:
  void Complete();
  void ListInBackground(const FolderCompletionBase& base);
  void Listed(std::uint64_t asked, unsigned closes, const FolderCompletionBase& base,
              std::vector<ListedFolder> listing);
  void ShowEntries(const FolderCompletionBase& base);
  void TakeAssistiveText();
  void ShowContextMenu(const QPoint& position);
  void BrowseForFolder();

  FolderField& field_;
  QLineEdit* line_;
  FolderChooser choose_folder_;
  FolderCompleter* completer_;
  // Which listing the list shows: one asked for an older folder is dropped
  // when it arrives.
  std::uint64_t listings_asked_ = 0;
  // The last folder listed and what it held: typing a name in it filters
  // that at once.
  std::string listed_folder_;
  unsigned listed_closes_ = 0;
  std::vector<ListedFolder> listing_;
};

}  // namespace sqp::qt
