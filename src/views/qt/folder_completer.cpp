#include "folder_completer.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "folder_list_model.h"

namespace sqp::qt {

FolderCompleter::FolderCompleter(QLineEdit* edit, AcceptFunction accept)
    : QCompleter(edit), folders_(new FolderListModel(this)), accept_(std::move(accept)) {
  setModel(folders_);
  setCaseSensitivity(Qt::CaseInsensitive);
  setCompletionMode(QCompleter::PopupCompletion);
  // Not QLineEdit::setCompleter: the line edit would write every entry the
  // user moves over into its text, unseen by the core.
  setWidget(edit);
  list_ = popup();
  list_->setFont(edit->font());
  // A long path keeps the end that names the folder.
  list_->setTextElideMode(Qt::ElideLeft);
  // A click on an entry.
  connect(this, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& text) {
            offering_ = false;
            accept_(text);
          });
  // The folder's entries arrive after the typing that asked for them.
  connect(folders_, &QAbstractItemModel::modelReset, this, &FolderCompleter::ShowWhenMatched);
}

void FolderCompleter::Offer(const QString& typed_folder, const QString& folder,
                            const QString& typed_name) {
  offering_ = true;
  folders_->List(folder, typed_folder, typed_name.startsWith(QLatin1Char('.')));
  setCompletionPrefix(typed_name);
  ShowWhenMatched();
}

void FolderCompleter::Close() {
  offering_ = false;
  list_->hide();
}

void FolderCompleter::ShowWhenMatched() {
  if (!offering_ || widget() == nullptr || !widget()->hasFocus()) return;
  // Shows the popup when an entry matches and hides it when none does.
  complete();
}

QString FolderCompleter::pathFromIndex(const QModelIndex& index) const {
  // The entry as shown: the folder as typed and the name found.
  return index.data(Qt::DisplayRole).toString();
}

void FolderCompleter::AcceptCurrent() {
  const QModelIndex current = list_->currentIndex();
  Close();
  if (current.isValid()) accept_(pathFromIndex(current));
}

bool FolderCompleter::eventFilter(QObject* watched, QEvent* event) {
  // The window came back: so does the list it had, and one whose folders
  // arrived meanwhile.
  if (watched == widget() && event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) {
    ShowWhenMatched();
  }
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    // These act on the list alone: none of them reaches the field or moves
    // the focus while the list is open.
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        AcceptCurrent();
        return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        if (list_->currentIndex().isValid()) {
          AcceptCurrent();
        } else {
          // Nothing picked in the list: it closes, and the key moves the
          // focus as it does without a list.
          Close();
          QCoreApplication::sendEvent(widget(), event);
        }
        return true;
      case Qt::Key_Escape:
        Close();
        return true;
      default:
        break;
    }
  }
  return QCompleter::eventFilter(watched, event);
}

}  // namespace sqp::qt
