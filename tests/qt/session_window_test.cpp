// Random user sessions through the real Qt window: real key and mouse events,
// the window read as the user sees it, compared with the model of the wizard
// after every key press and click.
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "box_watcher.h"
#include "qt_application_view.h"
#include "qt_wizard_window.h"
#include "sqpatch/sqpatch_program.h"
#include "support/session_generator.h"
#include "support/session_runner.h"

namespace sqp::qt::testing {
namespace {

using sessions::StepKind;

// The program's own view, with a note of every box it is asked for and every
// quit request; boxes still open on screen and are closed by a watcher.
class NotingView : public QtApplicationView {
 public:
  void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) override {
    boxes.push_back({box.text, box.caption, box.icon == MessageBoxIcon::kStop, !closes_at_once});
    QtApplicationView::RunMessageBox(box, closes_at_once);
  }
  void PostQuit() override {
    ++quit_requests;
    QtApplicationView::PostQuit();
  }
  std::vector<sessions::BoxLook> boxes;
  int quit_requests = 0;
};

sessions::ResultLook LabelLook(QLabel* label) {
  sessions::ResultLook look{label->text().toStdString(), std::nullopt};
  if (label->autoFillBackground()) {
    const QColor color = label->palette().color(QPalette::Window);
    look.color = static_cast<std::uint32_t>(color.red()) |
                 static_cast<std::uint32_t>(color.green()) << 8 |
                 static_cast<std::uint32_t>(color.blue()) << 16;
  }
  return look;
}

sessions::EditLook EditLook(QLineEdit* edit) {
  if (edit->hasSelectedText()) {
    return {edit->text().toStdString(), static_cast<std::size_t>(edit->selectionStart()),
            static_cast<std::size_t>(edit->selectedText().size())};
  }
  return {edit->text().toStdString(), static_cast<std::size_t>(edit->cursorPosition()), 0};
}

class QtDriver : public sessions::WizardDriver {
 public:
  void Start(const std::vector<std::string>& arguments) override {
    program_ = std::make_unique<SQPatchProgram>(view_, arguments);
    window_ = std::make_unique<QtWizardWindow>(program_->App(), program_->SQPMainForm());
    program_->App().ShowMainForm();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void Apply(const sessions::UserStep& step) override {
    switch (step.kind) {
      case StepKind::kType:
        QTest::keyClick(KeyTarget(), step.text[0]);
        break;
      case StepKind::kBackspace:
        Key(Qt::Key_Backspace);
        break;
      case StepKind::kDelete:
        Key(Qt::Key_Delete);
        break;
      case StepKind::kSelectAll:
        Key(Qt::Key_A, Qt::ControlModifier);
        break;
      case StepKind::kPaste:
        QApplication::clipboard()->setText(QString::fromStdString(step.text));
        Key(Qt::Key_V, Qt::ControlModifier);
        break;
      case StepKind::kUndo:
        Key(Qt::Key_Z, Qt::ControlModifier);
        break;
      case StepKind::kClickEdit:
        for (const char* name : {"UOClientPathEdit", "UOCDPathEdit"}) {
          auto* edit = Find<QLineEdit>(name);
          if (!edit->isVisible()) continue;
          QTest::mouseClick(edit, Qt::LeftButton);
          Key(Qt::Key_End);
        }
        break;
      case StepKind::kDrop:
        for (const char* name : {"UOClientPathEdit", "UOCDPathEdit"}) {
          if (auto* edit = Find<QLineEdit>(name); edit->isVisible()) DropOn(edit, step.text);
        }
        break;
      case StepKind::kClickTest:
        for (const char* name : {"UOClientTestButton", "UOCDRecheckButton"}) {
          if (auto* button = Find<QPushButton>(name); button->isVisible()) Click(button);
        }
        break;
      case StepKind::kClickNext:
        Click(Find<QPushButton>("NextButton"));
        break;
      case StepKind::kClickFinish:
        Click(Find<QPushButton>("FinishButton"));
        break;
      case StepKind::kTab:
        Key(Qt::Key_Tab);
        break;
      case StepKind::kShiftTab:
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        break;
      case StepKind::kCtrlTab:
        Key(Qt::Key_Tab, Qt::ControlModifier);
        break;
      case StepKind::kLeft:
        Key(Qt::Key_Left);
        break;
      case StepKind::kRight:
        Key(Qt::Key_Right);
        break;
      case StepKind::kUp:
        Key(Qt::Key_Up);
        break;
      case StepKind::kDown:
        Key(Qt::Key_Down);
        break;
      case StepKind::kHome:
        Key(Qt::Key_Home);
        break;
      case StepKind::kEnd:
        Key(Qt::Key_End);
        break;
      case StepKind::kEnter:
        Key(Qt::Key_Return);
        break;
      case StepKind::kEscape:
        Key(Qt::Key_Escape);
        break;
    }
  }

  sessions::WizardLook Look() override {
    sessions::WizardLook look;
    const char* pages[] = {"CheckHDTabSheet", "CheckCDTabSheet", "ApplyTabSheet"};
    look.page = -1;
    for (int i = 0; i < 3; ++i) {
      if (Find<QWidget>(pages[i])->isVisible()) look.page = i;
    }
    look.action = Find<QLabel>("ActionLabel")->text().toStdString();
    look.next_enabled = Find<QPushButton>("NextButton")->isEnabled();
    look.finish_enabled = Find<QPushButton>("FinishButton")->isEnabled();
    QWidget* focus = QApplication::focusWidget();
    look.focus =
        focus != nullptr && focus != window_.get() ? focus->objectName().toStdString() : "(none)";
    look.edits = {EditLook(Find<QLineEdit>("UOClientPathEdit")),
                  EditLook(Find<QLineEdit>("UOCDPathEdit"))};
    look.client = {LabelLook(Find<QLabel>("UOClientStaIdxResultLabel")),
                   LabelLook(Find<QLabel>("UOClientStaticsResultLabel")),
                   LabelLook(Find<QLabel>("UOClientMapResultLabel"))};
    look.cd = {LabelLook(Find<QLabel>("UOCDStaIdxResultLabel")),
               LabelLook(Find<QLabel>("UOCDStaticsResultLabel")),
               LabelLook(Find<QLabel>("UOCDMapResultLabel"))};
    look.cd_type = LabelLook(Find<QLabel>("UOCDTypeResultLabel"));
    look.boxes = view_.boxes;
    look.quit_requests = view_.quit_requests;
    look.exit_status = program_->ExitStatus();
    return look;
  }

 private:
  template <class W>
  W* Find(const char* name) {
    W* widget = window_->findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }
  QWidget* KeyTarget() {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window_.get();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(KeyTarget(), key, modifiers);
  }
  // A file manager's drag of the items (one per line) enters the field,
  // moves over it and is dropped there, as the window system delivers it.
  static void DropOn(QLineEdit* edit, const std::string& items) {
    QMimeData data;
    QList<QUrl> urls;
    const QStringList lines = QString::fromStdString(items).split(QLatin1Char('\n'));
    for (const QString& line : lines) urls << QUrl::fromLocalFile(line);
    data.setUrls(urls);
    data.setText(lines.join(QLatin1Char('\n')));
    const QPoint point = edit->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    if (!enter.isAccepted()) return;
    QDragMoveEvent move(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &move);
    if (!move.isAccepted()) return;
    QDropEvent drop(QPointF(point), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &drop);
  }
  static void Click(QPushButton* button) {
    if (button->isVisible()) QTest::mouseClick(button, Qt::LeftButton);
  }

  BoxWatcher watcher_;
  NotingView view_;
  std::unique_ptr<SQPatchProgram> program_;
  std::unique_ptr<QtWizardWindow> window_;
};

class SessionWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void WindowFollowsTheModel() {
    constexpr std::uint64_t kSessions = 40;
    const sessions::DriverFactory make_driver = [] { return std::make_unique<QtDriver>(); };
    std::size_t steps = 0;
    for (std::uint64_t seed = 1; seed <= kSessions; ++seed) {
      sessions::SeededChoices choices(seed);
      const sessions::Session session =
          sessions::MakeSession(choices, {.max_actions = 100, .undo = false});
      const sessions::SessionOutcome outcome = sessions::RunSession(session, make_driver);
      steps += outcome.steps;
      if (outcome.passed) continue;
      const sessions::Session shortest = sessions::ShrinkSession(session, make_driver);
      QFAIL(("session seed " + std::to_string(seed) + " fails; the shortest failing session:\n" +
             sessions::Describe(shortest) + sessions::RunSession(shortest, make_driver).failure)
                .c_str());
    }
    qInfo("%llu sessions, %zu key presses and clicks", static_cast<unsigned long long>(kSessions),
          steps);
  }
};

}  // namespace
}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::SessionWindowTest)
#include "session_window_test.moc"
