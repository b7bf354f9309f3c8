#include "folder_field.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <atomic>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "folder_completer.h"
#include "probes/path_text.h"

namespace sqp::qt {

namespace {

QString FromFileSystem(const std::string& bytes) { return QFile::decodeName(bytes.c_str()); }

// Listing threads of the whole program at once. One stuck on a hung file
// system stays stuck; beyond this many, a listing waits for one to end.
constexpr int kMaxListings = 8;
std::atomic<int> listings_running{0};

}  // namespace

// Shared with the listing threads: they post their answers only while the
// view lives, and the view cannot go while one is posting.
struct ListingMailbox {
  std::mutex mutex;
  FolderFieldView* view = nullptr;
};

FolderFieldView::FolderFieldView(FolderField& field, QLineEdit* line, FolderChooser choose_folder)
    : QObject(line),
      field_(field),
      line_(line),
      choose_folder_(std::move(choose_folder)),
      completer_(new FolderCompleter(line,
                                     [this](int row) {
                                       if (row >= 0 && row < static_cast<int>(entries_.size()))
                                         field_.TakeText(entries_[static_cast<std::size_t>(row)]);
                                     })),
      mailbox_(std::make_shared<ListingMailbox>()) {
  mailbox_->view = this;
  // Connected after the window's own handler: the check has run on the new
  // text before the list follows it.
  connect(line_, &QLineEdit::textEdited, this, &FolderFieldView::Complete);
  // Assistive technology sets the text with setText, which emits no
  // textEdited. Looked at once the event that changed it is over: a user's
  // typing has reached the core through textEdited by then.
  connect(line_, &QLineEdit::textChanged, this, [this] {
    QMetaObject::invokeMethod(this, &FolderFieldView::TakeAssistiveText, Qt::QueuedConnection);
  });
  // Found folders: a cue in the empty field, which screen readers read as
  // its description, and Down to open them.
  field_.SetFoundListener([this] { ShowCue(); });
  // Grey, as a cue banner reads on Windows: never taken for a typed folder.
  QPalette palette = line_->palette();
  palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::Disabled, QPalette::Text));
  line_->setPalette(palette);
  connect(line_, &QLineEdit::textChanged, this, &FolderFieldView::ShowCue);
  line_->installEventFilter(this);
  line_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(line_, &QWidget::customContextMenuRequested, this, &FolderFieldView::ShowContextMenu);
}

FolderFieldView::~FolderFieldView() {
  field_.SetFoundListener(nullptr);
  const std::lock_guard<std::mutex> lock(mailbox_->mutex);
  mailbox_->view = nullptr;
}

void FolderFieldView::ShowCue() {
  const QString cue = QString::fromStdString(field_.CueText());
  line_->setPlaceholderText(cue);
  line_->setAccessibleDescription(line_->text().isEmpty() ? cue : QString());
}

bool FolderFieldView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == line_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    widgets::Modifiers modifiers = widgets::kNoModifier;
    if (key->modifiers() & Qt::ShiftModifier) modifiers |= widgets::kShift;
    if (key->modifiers() & Qt::ControlModifier) modifiers |= widgets::kCtrl;
    if (key->modifiers() & Qt::AltModifier) modifiers |= widgets::kAlt;
    const std::optional<std::vector<std::string>> found =
        key->key() == Qt::Key_Down ? field_.ListOnKey(widgets::Key::kDown, modifiers)
                                   : std::nullopt;
    if (found) {
      ShowFound(*found);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void FolderFieldView::ShowFound(const std::vector<std::string>& found) {
  // A listing asked for before is no longer wanted.
  ++listings_asked_;
  entries_ = found;
  QStringList shown;
  for (const std::string& entry : entries_) shown << FromFileSystem(entry);
  completer_->Show(shown, true);
}

namespace {

std::string TypedFolderOf(const std::string& text) {
  return text.substr(0, LastSeparator(text) + 1);
}

}  // namespace

void FolderFieldView::Complete() {
  const std::optional<std::string> text =
      line_->hasFocus() ? field_.CompletionText() : std::nullopt;
  if (!text) {
    ++listings_asked_;
    return completer_->Close();
  }
  if (listed_ && listed_->typed_folder == TypedFolderOf(*text) &&
      listed_closes_ == completer_->Closes())
    return ShowEntries(*text);
  // Another folder's entries would not fit the text.
  completer_->Show({});
  ListInBackground(*text);
}

void FolderFieldView::ListInBackground(const std::string& text) {
  if (listings_running >= kMaxListings) {
    waiting_ = text;
    return;
  }
  waiting_.reset();
  const std::uint64_t asked = ++listings_asked_;
  const unsigned closes = completer_->Closes();
  ++listings_running;
  // Where the text leads and what is there may wait on a slow file system:
  // never on the window's thread.
  try {
    std::thread([mailbox = mailbox_, asked, closes, text] {
      std::optional<FolderCompletionBase> base = CompletionBaseOf(text);
      std::vector<ListedFolder> listing;
      if (base) listing = ListFolders(base->folder);
      --listings_running;
      const std::lock_guard<std::mutex> lock(mailbox->mutex);
      if (mailbox->view == nullptr) return;
      QMetaObject::invokeMethod(
          mailbox->view,
          [view = mailbox->view, asked, closes, base = std::move(base),
           listing = std::move(listing)]() mutable {
            view->Listed(asked, closes, std::move(base), std::move(listing));
          },
          Qt::QueuedConnection);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: no list this time.
    --listings_running;
  }
}

void FolderFieldView::Listed(std::uint64_t asked, unsigned closes,
                             std::optional<FolderCompletionBase> base,
                             std::vector<ListedFolder> listing) {
  if (waiting_) return ListInBackground(*waiting_);
  if (asked != listings_asked_) return;
  // A folder part that names no folder: no list.
  if (!base) {
    listed_.reset();
    return completer_->Close();
  }
  listed_ = std::move(base);
  listed_closes_ = closes;
  listing_ = std::move(listing);
  // The user may have typed on meanwhile, or closed the list.
  if (closes != completer_->Closes()) return;
  if (const std::optional<std::string> now = field_.CompletionText();
      now && TypedFolderOf(*now) == listed_->typed_folder && line_->hasFocus())
    ShowEntries(*now);
}

void FolderFieldView::ShowEntries(const std::string& text) {
  FolderCompletionBase base = *listed_;
  base.typed_name = text.substr(base.typed_folder.size());
  entries_ = FolderField::ListEntries(base, listing_);
  QStringList shown;
  for (const std::string& entry : entries_) shown << FromFileSystem(entry);
  completer_->Show(shown);
}

void FolderFieldView::TakeAssistiveText() {
  // Compared as the window shows the core's text: a name that is no UTF-8
  // reads differently once it has been through a QString.
  if (line_->text() == QString::fromStdString(field_.GetEdit().Text())) return;
  std::string text = line_->text().toStdString();
  // A field that takes no input keeps the text it had.
  if (!field_.TakeText(std::move(text)))
    line_->setText(QString::fromStdString(field_.GetEdit().Text()));
}

void FolderFieldView::ShowContextMenu(const QPoint& position) {
  std::unique_ptr<QMenu> menu(line_->createStandardContextMenu());
  QAction* browse = nullptr;
  if (field_.OffersFolders()) {
    menu->addSeparator();
    browse = menu->addAction(QString::fromUtf8(kBrowseForFolder));
  }
  QAction* chosen = menu->exec(line_->mapToGlobal(position));
  menu.reset();
  if (chosen != nullptr && chosen == browse) BrowseForFolder();
}

void FolderFieldView::BrowseForFolder() {
  const std::optional<std::string> start = field_.PickerStart();
  const std::optional<QString> chosen =
      choose_folder_(line_->window(), start ? FromFileSystem(*start) : QString(),
                     [this](const std::string& path) { return field_.NamesFolderInTime(path); });
  // The file system's own bytes for the name, as the probes will use them.
  if (chosen) field_.TakeText(QFile::encodeName(*chosen).toStdString());
}

}  // namespace sqp::qt
