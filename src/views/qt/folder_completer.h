#pragma once

#include <QCompleter>
#include <QStringList>
#include <functional>

class QAbstractItemView;
class QLineEdit;
class QStringListModel;

namespace sqp::qt {

// The completion list under a folder field. It shows the entries the core
// offers, as they are; keys pressed in it act as the core's folder field
// decides. The field's text changes only when the user takes an entry, and
// then only through `take`, given the entry's row: moving in the list
// writes nothing into the field.
class FolderCompleter : public QCompleter {
 public:
  using TakeFunction = std::function<void(int row)>;
  FolderCompleter(QLineEdit* edit, TakeFunction take);

  // Shows `entries` under the field while it has the focus; none hides it.
  // With `pick_first` the first entry is picked, as Down picks it.
  void Show(const QStringList& entries, bool pick_first = false);
  // The list closes as the user closes it: it stays closed until asked again.
  void Close();
  // How often the list has closed: entries asked for before a close come
  // too late to show, and a listing made before it is listed anew.
  unsigned Closes() const { return closes_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowWhenFocused();
  void TakeCurrent();

  QStringListModel* entries_;
  QAbstractItemView* list_;  // the popup
  TakeFunction take_;
  unsigned closes_ = 0;
  bool pick_first_ = false;
};

}  // namespace sqp::qt
