#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "folder_picker.h"
#include "sqpmain/folder_field.h"

class QLineEdit;
class QPoint;

namespace sqp::qt {

class FolderCompleter;
struct ListingMailbox;

// Draws what the core's folder field offers beyond typing: the completion
// list as the user types, and "Browse for folder..." in the context menu.
// Whatever either produces, and a text set through assistive technology,
// reaches the core as one user edit, so the check runs once.
class FolderFieldView : public QObject {
 public:
  FolderFieldView(FolderField& field, QLineEdit* line, FolderChooser choose_folder);
  ~FolderFieldView() override;

 private:
  void Complete();
  void ListInBackground(const std::string& text);
  void Listed(std::uint64_t asked, unsigned closes, std::optional<FolderCompletionBase> base,
              std::vector<ListedFolder> listing);
  // The entries of the listing shown for `text`, whose folder part it is.
  void ShowEntries(const std::string& text);
  void TakeAssistiveText();
  void ShowContextMenu(const QPoint& position);
  void BrowseForFolder();

  FolderField& field_;
  QLineEdit* line_;
  FolderChooser choose_folder_;
  FolderCompleter* completer_;
  // Where listing threads hand their answers in; it outlives this view.
  std::shared_ptr<ListingMailbox> mailbox_;
  // Which listing the list shows: one asked for an older folder is dropped
  // when it arrives.
  std::uint64_t listings_asked_ = 0;
  // A text whose listing waits for one of the program's listing threads to
  // end.
  std::optional<std::string> waiting_;
  // The last folder listed and what it held: typing a name in it filters
  // that at once.
  std::optional<FolderCompletionBase> listed_;
  unsigned listed_closes_ = 0;
  std::vector<ListedFolder> listing_;
  // The entries the list shows, as the file system spells them.
  std::vector<std::string> entries_;
};

}  // namespace sqp::qt
