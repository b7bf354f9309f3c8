// Random user sessions through the real Qt window: real key and mouse events,
// the window read as the user sees it, compared with the model of the wizard
// after every key press and click.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <map>
#include <memory>

#include "box_watcher.h"
#include "support/session_generator.h"
#include "support/session_runner.h"
#include "wizard_run.h"

namespace sqp::qt::testing {
namespace {

using sessions::StepKind;

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

// The steps that are one key press.
const std::map<StepKind, std::pair<Qt::Key, Qt::KeyboardModifiers>> kStepKeys = {
    {StepKind::kBackspace, {Qt::Key_Backspace, Qt::NoModifier}},
    {StepKind::kDelete, {Qt::Key_Delete, Qt::NoModifier}},
    {StepKind::kSelectAll, {Qt::Key_A, Qt::ControlModifier}},
    {StepKind::kUndo, {Qt::Key_Z, Qt::ControlModifier}},
    {StepKind::kTab, {Qt::Key_Tab, Qt::NoModifier}},
    {StepKind::kShiftTab, {Qt::Key_Backtab, Qt::ShiftModifier}},
    {StepKind::kCtrlTab, {Qt::Key_Tab, Qt::ControlModifier}},
    {StepKind::kLeft, {Qt::Key_Left, Qt::NoModifier}},
    {StepKind::kRight, {Qt::Key_Right, Qt::NoModifier}},
    {StepKind::kUp, {Qt::Key_Up, Qt::NoModifier}},
    {StepKind::kDown, {Qt::Key_Down, Qt::NoModifier}},
    {StepKind::kHome, {Qt::Key_Home, Qt::NoModifier}},
    {StepKind::kEnd, {Qt::Key_End, Qt::NoModifier}},
    {StepKind::kEnter, {Qt::Key_Return, Qt::NoModifier}},
    {StepKind::kEscape, {Qt::Key_Escape, Qt::NoModifier}},
};

class QtDriver : public sessions::WizardDriver {
 public:
  void Start(const std::vector<std::string>& arguments) override {
    run_ = std::make_unique<Run>(arguments);
    QVERIFY(QTest::qWaitForWindowActive(&run_->window));
  }

  void Apply(const sessions::UserStep& step) override {
    TSQPMainForm& form = run_->Form();
    switch (step.kind) {
      case StepKind::kType:
        QTest::keyClick(run_->KeyTarget(), step.text[0]);
        break;
      case StepKind::kPaste:
        QApplication::clipboard()->setText(QString::fromStdString(step.text));
        run_->Key(Qt::Key_V, Qt::ControlModifier);
        break;
      case StepKind::kClickEdit:
        if (QLineEdit* edit = VisibleEdit()) {
          QTest::mouseClick(edit, Qt::LeftButton);
          run_->Key(Qt::Key_End);
        }
        break;
      case StepKind::kDrop:
        if (QLineEdit* edit = VisibleEdit()) {
          QList<QUrl> urls;
          for (const QString& line : QString::fromStdString(step.text).split(QLatin1Char('\n')))
            urls << QUrl::fromLocalFile(line);
          const auto data = FileManagerDrag(urls);
          if (DragOver(edit, *data)) Drop(edit, *data);
        }
        break;
      case StepKind::kClickTest:
        Click(form.UOClientTestButton);
        Click(form.UOCDRecheckButton);
        break;
      case StepKind::kClickNext:
        Click(form.NextButton);
        break;
      case StepKind::kClickFinish:
        Click(form.FinishButton);
        break;
      default:
        run_->Key(kStepKeys.at(step.kind).first, kStepKeys.at(step.kind).second);
        break;
    }
  }

  sessions::WizardLook Look() override {
    TSQPMainForm& form = run_->Form();
    sessions::WizardLook look;
    const widgets::Control* pages[] = {form.CheckHDTabSheet, form.CheckCDTabSheet,
                                       form.ApplyTabSheet};
    look.page = -1;
    for (int i = 0; i < 3; ++i) {
      if (run_->window.WidgetFor(pages[i])->isVisible()) look.page = i;
    }
    look.action = run_->Action().toStdString();
    look.next_enabled = run_->Next()->isEnabled();
    look.finish_enabled = run_->Widget<QPushButton>(form.FinishButton)->isEnabled();
    look.focus = run_->FocusedName().toStdString();
    look.edits = {EditLook(run_->Widget<QLineEdit>(form.UOClientPathEdit)),
                  EditLook(run_->Widget<QLineEdit>(form.UOCDPathEdit))};
    look.client = {Label(form.UOClientStaIdxResultLabel), Label(form.UOClientStaticsResultLabel),
                   Label(form.UOClientMapResultLabel)};
    look.cd = {Label(form.UOCDStaIdxResultLabel), Label(form.UOCDStaticsResultLabel),
               Label(form.UOCDMapResultLabel)};
    look.cd_type = Label(form.UOCDTypeResultLabel);
    for (const sqp::testing::ShownBox& shown : run_->view.boxes) {
      look.boxes.push_back({shown.box.text, shown.box.caption,
                            shown.box.icon == MessageBoxIcon::kStop, shown.waited});
    }
    look.quit_requests = run_->view.quit_requests;
    look.exit_status = run_->program.ExitStatus();
    return look;
  }

 private:
  sessions::ResultLook Label(const widgets::Label* label) {
    return LabelLook(run_->Widget<QLabel>(label));
  }
  QLineEdit* VisibleEdit() {
    for (const widgets::Edit* field : {run_->Form().UOClientPathEdit, run_->Form().UOCDPathEdit}) {
      if (auto* edit = run_->Widget<QLineEdit>(field); edit->isVisible()) return edit;
    }
    return nullptr;
  }
  void Click(const widgets::Button* button) {
    if (auto* widget = run_->Widget<QPushButton>(button); widget->isVisible())
      QTest::mouseClick(widget, Qt::LeftButton);
  }

  BoxWatcher watcher_;
  std::unique_ptr<Run> run_;
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
          sessions::MakeSession(choices, {.max_actions = 100, .undo = false, .stalls = false});
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
