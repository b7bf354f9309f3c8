#include "folder_field.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <memory>
#include <thread>

#include "folder_completer.h"

namespace sqp::qt {

namespace {

QString FromFileSystem(const std::string& bytes) { return QFile::decodeName(bytes.c_str()); }

}  // namespace

FolderFieldView::FolderFieldView(FolderField& field, QLineEdit* line, FolderChooser choose_folder)
    : QObject(line),
      field_(field),
      line_(line),
      choose_folder_(std::move(choose_folder)),
      completer_(new FolderCompleter(line, [this](const QString& entry) {
        field_.TakeText(QFile::encodeName(entry).toStdString());
      })) {
  // Connected after the window's own handler: the check has run on the new
  // text before the list follows it.
  connect(line_, &QLineEdit::textEdited, this, &FolderFieldView::Complete);
  // Assistive technology sets the text with setText, which emits no
  // textEdited. Looked at once the event that changed it is over: a user's
  // typing has reached the core through textEdited by then.
  connect(line_, &QLineEdit::textChanged, this, [this] {
    QMetaObject::invokeMethod(this, &FolderFieldView::TakeAssistiveText, Qt::QueuedConnection);
  });
  line_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(line_, &QWidget::customContextMenuRequested, this, &FolderFieldView::ShowContextMenu);
}

void FolderFieldView::Complete() {
  const std::optional<FolderCompletionBase> base =
      line_->hasFocus() ? field_.CompletionBase() : std::nullopt;
  if (!base) {
    ++listings_asked_;
    return completer_->Close();
  }
  if (base->folder == listed_folder_ && listed_closes_ == completer_->Closes())
    return ShowEntries(*base);
  // Another folder's entries would not fit the text.
  completer_->Show({});
  ListInBackground(*base);
}

void FolderFieldView::ListInBackground(const FolderCompletionBase& base) {
  const std::uint64_t asked = ++listings_asked_;
  const unsigned closes = completer_->Closes();
  // Listing may wait on a slow file system: never on the window's thread.
  std::thread([view = QPointer<FolderFieldView>(this), asked, closes, base] {
    std::vector<ListedFolder> listing = ListFolders(base.folder);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [view, asked, closes, base, listing = std::move(listing)]() mutable {
          if (view) view->Listed(asked, closes, base, std::move(listing));
        },
        Qt::QueuedConnection);
  }).detach();
}

void FolderFieldView::Listed(std::uint64_t asked, unsigned closes, const FolderCompletionBase& base,
                             std::vector<ListedFolder> listing) {
  if (asked != listings_asked_) return;
  listed_folder_ = base.folder;
  listed_closes_ = closes;
  listing_ = std::move(listing);
  // The user may have typed on meanwhile, or closed the list.
  if (closes != completer_->Closes()) return;
  if (const std::optional<FolderCompletionBase> now = field_.CompletionBase();
      now && now->folder == base.folder && line_->hasFocus())
    ShowEntries(*now);
}

void FolderFieldView::ShowEntries(const FolderCompletionBase& base) {
  QStringList entries;
  for (const std::string& entry : FolderField::ListEntries(base, listing_))
    entries << FromFileSystem(entry);
  completer_->Show(entries);
}

void FolderFieldView::TakeAssistiveText() {
  std::string text = line_->text().toStdString();
  if (text == field_.GetEdit().Text()) return;
  // A field that takes no input keeps the text it had.
  if (!field_.TakeText(std::move(text)))
    line_->setText(QString::fromStdString(field_.GetEdit().Text()));
}

void FolderFieldView::ShowContextMenu(const QPoint& position) {
  std::unique_ptr<QMenu> menu(line_->createStandardContextMenu());
  QAction* browse = nullptr;
  if (field_.OffersFolders()) {
    menu->addSeparator();
    browse = menu->addAction(QStringLiteral("Browse for folder..."));
  }
  QAction* chosen = menu->exec(line_->mapToGlobal(position));
  menu.reset();
  if (chosen != nullptr && chosen == browse) BrowseForFolder();
}

void FolderFieldView::BrowseForFolder() {
  const std::optional<std::string> start = field_.PickerStart();
  const std::optional<QString> chosen =
      choose_folder_(line_->window(), start ? FromFileSystem(*start) : QString());
  // The file system's own bytes for the name, as the probes will use them.
  if (chosen) field_.TakeText(QFile::encodeName(*chosen).toStdString());
}

}  // namespace sqp::qt
