#include "folder_completer.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

#include "sqpmain/folder_field.h"

namespace sqp::qt {

namespace {

std::optional<widgets::Key> ListKey(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Up:
      return widgets::Key::kUp;
    case Qt::Key_Down:
      return widgets::Key::kDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return widgets::Key::kEnter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return widgets::Key::kTab;
    case Qt::Key_Escape:
      return widgets::Key::kEscape;
    default:
      return std::nullopt;
  }
}

}  // namespace

FolderCompleter::FolderCompleter(QLineEdit* edit, TakeFunction take)
    : QCompleter(edit), entries_(new QStringListModel(this)), take_(std::move(take)) {
  setModel(entries_);
  // The core has chosen the entries: the list shows them all.
  setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  // Not QLineEdit::setCompleter: the line edit would write every entry the
  // user moves over into its text, unseen by the core.
  setWidget(edit);
  list_ = popup();
  list_->setFont(edit->font());
  // A long path keeps the end that names the folder.
  list_->setTextElideMode(Qt::ElideLeft);
  // A click on an entry.
  connect(this, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { take_(index.row()); });
}

void FolderCompleter::Show(const QStringList& entries, bool pick_first) {
  const bool changed = entries != entries_->stringList() || pick_first != pick_first_;
  pick_first_ = pick_first;
  if (changed) entries_->setStringList(entries);
  if (entries.isEmpty()) return list_->hide();
  // The same entries keep the one the user picked.
  if (changed || !list_->isVisible()) ShowWhenFocused();
}

void FolderCompleter::Close() {
  ++closes_;
  entries_->setStringList({});
  list_->hide();
}

void FolderCompleter::ShowWhenFocused() {
  if (entries_->rowCount() == 0 || widget() == nullptr || !widget()->hasFocus()) return;
  complete();
  // Nothing is picked until the user moves in the list, unless the Down
  // that opened it was that move.
  list_->setCurrentIndex(pick_first_ ? entries_->index(0, 0) : QModelIndex());
}

void FolderCompleter::TakeCurrent() {
  const int row = list_->currentIndex().row();
  Close();
  take_(row);
}

bool FolderCompleter::eventFilter(QObject* watched, QEvent* event) {
  // The window came back: so does the list it had.
  if (watched == widget() && event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) {
    ShowWhenFocused();
  }
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const std::optional<widgets::Key> key = ListKey(static_cast<QKeyEvent*>(event)->key());
    if (key) {
      switch (FolderField::KeyWhileListOpen(*key, list_->currentIndex().isValid())) {
        case ListKeyAction::kMoveInList:
        case ListKeyAction::kToField:
          break;
        case ListKeyAction::kTakeEntry:
          TakeCurrent();
          return true;
        case ListKeyAction::kCloseList:
          Close();
          return true;
        case ListKeyAction::kCloseAndPass:
          Close();
          QCoreApplication::sendEvent(widget(), event);
          return true;
      }
    }
  }
  return QCompleter::eventFilter(watched, event);
}

}  // namespace sqp::qt
