#include "qt_wizard_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <limits>
#include <optional>
#include <string>

#include "accessible_names.h"
#include "dropped_paths.h"
#include "folder_field.h"
#include "sqpmain/found_folders_offer.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/progress_bar.h"

namespace sqp::qt {

using widgets::Change;
using widgets::Control;
using widgets::ControlKind;

namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

QColor ToQColor(widgets::Color color) {
  return QColor(widgets::RedOf(color), widgets::GreenOf(color), widgets::BlueOf(color));
}

// The focus keys the core decides; everything else stays with the widget.
bool ToCoreKey(const QKeyEvent& event, widgets::Key& key, widgets::Modifiers& modifiers) {
  modifiers = widgets::kNoModifier;
  if (event.modifiers() & Qt::ShiftModifier) modifiers |= widgets::kShift;
  if (event.modifiers() & Qt::ControlModifier) modifiers |= widgets::kCtrl;
  if (event.modifiers() & Qt::AltModifier) modifiers |= widgets::kAlt;
  switch (event.key()) {
    case Qt::Key_Tab:
      key = widgets::Key::kTab;
      return true;
    case Qt::Key_Backtab:
      key = widgets::Key::kTab;
      modifiers |= widgets::kShift;
      return true;
    case Qt::Key_Left:
      key = widgets::Key::kLeft;
      return true;
    case Qt::Key_Right:
      key = widgets::Key::kRight;
      return true;
    case Qt::Key_Up:
      key = widgets::Key::kUp;
      return true;
    case Qt::Key_Down:
      key = widgets::Key::kDown;
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key = widgets::Key::kEnter;
      return true;
    case Qt::Key_Escape:
      key = widgets::Key::kEscape;
      return true;
    default:
      return false;
  }
}

// Byte offset in UTF-8 text to the matching offset in the UTF-16 text Qt holds.
int Utf16Offset(const std::string& text, std::size_t byte_offset) {
  return static_cast<int>(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(byte_offset)).size());
}

// Only the path of a drop is read. It is never taken as a move, after which
// the source might remove the dropped items.
Qt::DropAction ReadOnlyDropAction(Qt::DropActions possible) {
  if (possible & Qt::CopyAction) return Qt::CopyAction;
  if (possible & Qt::LinkAction) return Qt::LinkAction;
  return Qt::IgnoreAction;
}

}  // namespace

QtWizardWindow::QtWizardWindow(Application& application, TSQPMainForm& form,
                               const LayoutMetrics& metrics, FolderChooser choose_folder)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      application_(application),
      form_(form),
      metrics_(metrics),
      choose_folder_(std::move(choose_folder)) {
  SetAccessibleRole(*this, QAccessible::Window);
  setObjectName(ToQt(form.Name()));
  setFont(metrics_.Font());
  setWindowTitle(ToQt(form.Text()));
  setFixedSize(metrics_.Scaled(form.GetBounds().width), metrics_.Scaled(form.GetBounds().height));
  installEventFilter(this);
  widgets_[&form_] = this;
  controls_[this] = &form_;
  // Parents come before their children in the form's creation order.
  for (Control* control : form_.AllControls()) {
    QWidget* widget = CreateWidget(*control, widgets_.at(control->Parent()));
    widgets_[control] = widget;
    controls_[widget] = control;
    widget->setObjectName(ToQt(control->Name()));
    widget->setGeometry(metrics_.Scaled(control->GetBounds()));
    widget->installEventFilter(this);
    SyncText(*control);
    ExposeAccessibleName(*control, *widget);
    widget->setEnabled(control->Enabled());
    widget->setVisible(control->Visible());
  }
  for (Control* control : form_.AllControls()) ConnectInput(*control, widgets_.at(control));
  announcement_ = new Announcement(this);
  form_.AddObserver(this);
  SyncFocus();
}

QtWizardWindow::~QtWizardWindow() {
  form_.RemoveObserver(this);
  removeEventFilter(this);
  for (auto& [control, widget] : widgets_) {
    if (widget != this) widget->removeEventFilter(this);
  }
}

void QtWizardWindow::StartFolderSearch() {
  if (searching_) return;
  searching_ = true;
  sqp::StartFolderSearch(form_, application_.WindowThread(), MachineSearchPlaces());
}

QWidget* QtWizardWindow::WidgetFor(const Control* control) const {
  const auto found = widgets_.find(control);
  return found != widgets_.end() ? found->second : nullptr;
}

QWidget* QtWizardWindow::CreateWidget(Control& control, QWidget* parent) {
  switch (control.Kind()) {
    case ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setFocusPolicy(Qt::NoFocus);
      return label;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(parent);
      edit->setFocusPolicy(Qt::ClickFocus);
      // One line of any length: Qt would cut a longer text at 32767.
      edit->setMaxLength(std::numeric_limits<int>::max());
      return edit;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      button->setDefault(false);
      button->setFocusPolicy(Qt::ClickFocus);
      return button;
    }
    case ControlKind::kGroupBox: {
      auto* box = new QGroupBox(parent);
      box->setFocusPolicy(Qt::NoFocus);
      return box;
    }
    case ControlKind::kProgressBar: {
      auto* bar = new QProgressBar(parent);
      const auto& model = static_cast<const widgets::ProgressBar&>(control);
      bar->setRange(model.Min(), model.Max());
      bar->setValue(model.Position());
      bar->setTextVisible(false);
      bar->setFocusPolicy(Qt::NoFocus);
      return bar;
    }
    case ControlKind::kPageControl: {
      // No tab row: only the framed page area.
      auto* frame = new QFrame(parent);
      SetAccessibleRole(*frame, QAccessible::Pane);
      frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
      frame->setFocusPolicy(Qt::NoFocus);
      return frame;
    }
    case ControlKind::kTabSheet:
    case ControlKind::kForm:
      break;
  }
  auto* page = new QWidget(parent);
  page->setFocusPolicy(Qt::NoFocus);
  return page;
}

void QtWizardWindow::ConnectInput(Control& control, QWidget* widget) {
  if (control.Kind() == ControlKind::kEdit) {
    auto& edit = static_cast<widgets::Edit&>(control);
    auto* line = static_cast<QLineEdit*>(widget);
    // textEdited: typing, deleting, cut, paste, undo and drops; never setText.
    connect(line, &QLineEdit::textEdited, this, [this, &edit](const QString& text) {
      editing_ = &edit;
      application_.Dispatch([&] { edit.UserReplaceText(text.toStdString()); });
      editing_ = nullptr;
    });
    if (FolderField* field = form_.FolderFieldOf(&control))
      new FolderFieldView(*field, line, choose_folder_);
  } else if (control.Kind() == ControlKind::kButton) {
    auto& button = static_cast<widgets::Button&>(control);
    connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
            [this, &button] { application_.Dispatch([&] { button.UserClick(); }); });
  }
}

void QtWizardWindow::ControlChanged(Control& control, Change change) {
  QWidget* widget = WidgetFor(&control);
  if (widget == nullptr) return;
  switch (change) {
    case Change::kText:
      if (&control != editing_) SyncText(control);
      break;
    case Change::kColor:
      SyncLabelColor(control);
      break;
    case Change::kEnabled:
      widget->setEnabled(control.Enabled());
      break;
    case Change::kVisible:
      widget->setVisible(control.Visible());
      break;
    case Change::kSelection:
      if (&control != editing_) SyncSelection(control);
      break;
    case Change::kFocus:
      SyncFocus();
      break;
    case Change::kActivePage:
      break;  // the pages' own visibility shows it
    case Change::kAccessibleName:
      ExposeAccessibleName(control, *widget);
      break;
    case Change::kAnnouncement:
      announcement_->Speak(ToQt(form_.Announcement()));
      break;
  }
}

void QtWizardWindow::SyncText(Control& control) {
  QWidget* widget = WidgetFor(&control);
  const QString text = ToQt(control.Text());
  switch (control.Kind()) {
    case ControlKind::kLabel: {
      auto* label = static_cast<QLabel*>(widget);
      label->setText(text);
      // Labels size themselves to their text on one line.
      label->resize(QFontMetrics(label->font()).horizontalAdvance(text),
                    metrics_.Scaled(control.GetBounds().height));
      break;
    }
    case ControlKind::kEdit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      if (edit->text() != text) edit->setText(text);
      break;
    }
    case ControlKind::kButton:
      static_cast<QPushButton*>(widget)->setText(text);
      break;
    case ControlKind::kGroupBox:
      static_cast<QGroupBox*>(widget)->setTitle(text);
      break;
    case ControlKind::kForm:
      widget->setWindowTitle(text);
      break;
    default:
      break;
  }
}

void QtWizardWindow::SyncLabelColor(Control& control) {
  const auto& label = static_cast<const widgets::Label&>(control);
  QWidget* widget = WidgetFor(&control);
  if (!label.OwnColor()) {
    // The page's own background shows through again.
    widget->setAutoFillBackground(false);
    return;
  }
  // A solid rectangle behind the text; the text keeps the window-text colour.
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(*label.OwnColor()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void QtWizardWindow::SyncSelection(Control& control) {
  const auto& edit = static_cast<const widgets::Edit&>(control);
  auto* line = static_cast<QLineEdit*>(WidgetFor(&control));
  const int start = Utf16Offset(edit.Text(), edit.SelectionStart());
  const int end = Utf16Offset(edit.Text(), edit.SelectionStart() + edit.SelectionLength());
  line->setSelection(start, end - start);
}

void QtWizardWindow::SyncFocus() {
  syncing_focus_ = true;
  // Without a focused control the window itself takes the keys.
  QWidget* target = form_.Focused() != nullptr ? WidgetFor(form_.Focused()) : this;
  if (target != nullptr && QApplication::focusWidget() != target)
    target->setFocus(Qt::OtherFocusReason);
  syncing_focus_ = false;
}

void QtWizardWindow::TakeUserFocus(QWidget* widget) {
  const auto found = controls_.find(widget);
  if (found != controls_.end() && found->second != &form_) {
    application_.Dispatch([&] { form_.SetFocus(found->second); });
  }
  SyncFocus();
}

bool QtWizardWindow::RouteKey(QKeyEvent* event) {
  widgets::Key key;
  widgets::Modifiers modifiers;
  if (!ToCoreKey(*event, key, modifiers)) return false;
  bool taken = false;
  application_.Dispatch([&] { taken = form_.KeyDown(key, modifiers); });
  return taken;
}

bool QtWizardWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress: {
      // A key goes to the focused widget first and then up to its parents;
      // the core sees it once, at the first of these.
      QWidget* first = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
      if (widget == first) return RouteKey(static_cast<QKeyEvent*>(event));
      break;
    }
    case QEvent::FocusIn:
      if (!syncing_focus_) {
        // Only a click may move the focus; Qt's own moves (a focused button
        // was disabled, the window came back) are put back to the core's.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
          TakeUserFocus(widget);
        } else {
          SyncFocus();
        }
      }
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      // URL drops from a file manager are ours; the line edit would insert
      // the URLs as text. Plain text drops stay with the line edit.
      auto* drop = static_cast<QDropEvent*>(event);
      const auto found = controls_.find(widget);
      FolderField* field = found != controls_.end() ? form_.FolderFieldOf(found->second) : nullptr;
      if (field != nullptr && drop->mimeData()->hasUrls()) {
        TakeFolderDrop(*field, drop);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void QtWizardWindow::TakeFolderDrop(FolderField& field, QDropEvent* event) {
  const std::optional<std::string> folder =
      field.FolderForDrop(DroppedPaths(*event->mimeData()), &IsFolder);
  const Qt::DropAction action = ReadOnlyDropAction(event->possibleActions());
  if (action == Qt::IgnoreAction || !folder.has_value()) {
    event->ignore();
    return;
  }
  event->setDropAction(action);
  event->accept();
  if (event->type() != QEvent::Drop) return;
  // Put in as the user's own edit, which textEdited hands to the core and
  // Ctrl+Z takes back; a text written with setText would clear the undo.
  auto* line = static_cast<QLineEdit*>(WidgetFor(&field.GetEdit()));
  line->selectAll();
  line->insert(QString::fromStdString(*folder));
}

bool QtWizardWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    application_.Dispatch([&] { form_.Activate(); });
    SyncFocus();
  }
  return QWidget::event(event);
}

void QtWizardWindow::closeEvent(QCloseEvent* event) {
  application_.Dispatch([&] { application_.CloseMainForm(); });
  event->accept();
}

}  // namespace sqp::qt
