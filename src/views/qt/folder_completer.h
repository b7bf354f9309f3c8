#pragma once

#include <QCompleter>
#include <QString>
#include <functional>

class QAbstractItemView;
class QLineEdit;

namespace sqp::qt {

class FolderListModel;

// Completes the name being typed in a folder field from the folders of the
// folder typed before it, without regard to letter case, in a popup list.
// The field's text changes only when the user takes an entry (Enter, Tab or
// a click), and then only through `accept`: the popup shows no text of its
// own in the field. While the popup is open, Up and Down move in it, Enter
// takes the current entry, Escape closes it; Tab takes the current entry,
// and with none picked closes the list and moves the focus as usual.
class FolderCompleter : public QCompleter {
 public:
  using AcceptFunction = std::function<void(const QString& text)>;
  FolderCompleter(QLineEdit* edit, AcceptFunction accept);

  // Offers the folders in `folder` (absolute) whose names start with
  // `typed_name`; an entry taken becomes `typed_folder` and its name.
  void Offer(const QString& typed_folder, const QString& folder, const QString& typed_name);
  void Close();

 protected:
  QString pathFromIndex(const QModelIndex& index) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowWhenMatched();
  void AcceptCurrent();

  FolderListModel* folders_;
  QAbstractItemView* list_ = nullptr;  // the popup
  AcceptFunction accept_;
  bool offering_ = false;
};

}  // namespace sqp::qt
