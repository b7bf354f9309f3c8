// The Linux program's window, driven through real widget events.
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "box_watcher.h"
#include "run_sqpatch.h"
#include "sqpmain/sqp_main_layout.h"
#include "support/scoped_environment.h"
#include "support/temp_tree.h"
#include "wizard_run.h"

namespace sqp::qt::testing {

using sqp::testing::MakeMapFiles;
using sqp::testing::ScopedEnvironment;
using sqp::testing::SetReadOnly;
using sqp::testing::TempTree;

class WizardWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SampleFolders> samples_;
  TempTree* tree_ = nullptr;
  std::string patch_;

 private slots:
  void initTestCase() { SetUpApplication(); }
  void init() {
    samples_ = std::make_unique<SampleFolders>();
    tree_ = samples_->tree.get();
    patch_ = samples_->patch;
  }
  void cleanup() { samples_.reset(); }

  void everyControlSitsWhereTheLayoutPutsIt() {
    Run run({patch_});
    const LayoutMetrics& metrics = run.window.Metrics();
    QCOMPARE(run.window.windowTitle(), QStringLiteral("Stonequill Patch 1"));
    QCOMPARE(run.window.size(), QSize(metrics.Scaled(461), metrics.Scaled(249)));
    QVERIFY(!(run.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(run.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(run.window.minimumSize(), run.window.maximumSize());
    for (const LayoutRow& row : SQPMainLayout()) {
      const widgets::Control* control = run.Form().FindControl(row.name);
      QWidget* widget = run.window.WidgetFor(control);
      QVERIFY2(widget != nullptr, row.name.data());
      QCOMPARE(widget->pos(), metrics.Scaled(row.bounds).topLeft());
      if (control->Kind() == widgets::ControlKind::kLabel) {
        // Labels size themselves to their text.
        QCOMPARE(widget->width(),
                 widget->fontMetrics().horizontalAdvance(QString::fromStdString(control->Text())));
      } else {
        QCOMPARE(widget->size(), metrics.Scaled(row.bounds).size());
      }
    }
    // With the layout's own font, every label is as wide as laid out.
    if (run.window.font().family() == QStringLiteral("MS Sans Serif")) {
      QCOMPARE(metrics.Scale(), LayoutScale(1, 1));
      QCOMPARE(run.Widget<QLabel>(run.Form().UOClientPathLabel)->width(), 189);
      QCOMPARE(run.Widget<QLabel>(run.Form().UOCDPathLabel)->width(), 195);
    }
    QCOMPARE(run.Widget<QProgressBar>(run.Form()._ProgressBar)->value(), 0);
  }

  void resultsPaintGreenOrRedAndTheEditionNever() {
    SetReadOnly(tree_->Path("client/Map0.mul"));
    Run run({patch_, tree_->Path("client"), tree_->Path("cd")});
    TSQPMainForm& form = run.Form();
    QTRY_VERIFY(run.window.isVisible());
    QCOMPARE(run.Widget<QLabel>(form.UOClientStaIdxResultLabel)->text(),
             QStringLiteral("Found and writeable!"));
    QCOMPARE(run.Background(form.UOClientStaIdxResultLabel), QColor(0, 128, 0));
    QCOMPARE(run.Widget<QLabel>(form.UOClientMapResultLabel)->text(),
             QStringLiteral("Found, but readonly!"));
    QCOMPARE(run.Background(form.UOClientMapResultLabel), QColor(255, 0, 0));
    // The text keeps the window-text colour.
    QCOMPARE(
        run.window.WidgetFor(form.UOClientMapResultLabel)->palette().color(QPalette::WindowText),
        run.window.palette().color(QPalette::WindowText));
    // Page 1 holds the results of the start-up check.
    SetReadOnly(tree_->Path("client/Map0.mul"), false);
    QTest::mouseClick(run.Widget<QPushButton>(form.UOClientTestButton), Qt::LeftButton);
    QVERIFY(run.Next()->isEnabled());
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Background(form.UOCDMapResultLabel), QColor(0, 128, 0));
    QCOMPARE(run.Widget<QLabel>(form.UOCDTypeResultLabel)->text(),
             QStringLiteral("The Second Age"));
    // The edition label shows its parent's colour: that of the group box
    // just left of it.
    QWidget* edition = run.window.WidgetFor(form.UOCDTypeResultLabel);
    const QColor group_colour = run.window.grab().toImage().pixelColor(
        edition->mapTo(&run.window, QPoint(-2, edition->height() / 2)));
    QCOMPARE(run.Background(form.UOCDTypeResultLabel), group_colour);
    QVERIFY(group_colour != QColor(0, 128, 0) && group_colour != QColor(255, 0, 0));
    // A row that loses its colour (a page waiting on its check) shows it too.
    form.UOCDMapResultLabel->ClearColor();
    QCOMPARE(run.Background(form.UOCDMapResultLabel), group_colour);
  }

  void typingEnablesNextAtTheKeyThatCompletesThePath() {
    Run run({patch_});
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString folder = QString::fromStdString(tree_->Path("client"));
    for (int typed = 1; typed <= folder.size(); ++typed) {
      QTest::keyClicks(edit, folder.mid(typed - 1, 1));
      QCOMPARE(run.Next()->isEnabled(), typed == folder.size());
    }
    QCOMPARE(run.Background(run.Form().UOClientStaticsResultLabel), QColor(0, 128, 0));
    QTest::keyClicks(edit, "x");
    QVERIFY(!run.Next()->isEnabled());
    QCOMPARE(run.Background(run.Form().UOClientStaticsResultLabel), QColor(255, 0, 0));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(run.Next()->isEnabled());
    // The caret stays where the user types: a key in the middle spoils it.
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "y");
    QCOMPARE(edit->text(), "y" + folder);
    QVERIFY(!run.Next()->isEnabled());
  }

  void typingADriveLetterFindsTheClientInTheWinePrefix() {
    MakeMapFiles(*tree_, "prefix/drive_c/Uo");
    tree_->Symlink("prefix/dosdevices/c:", "../drive_c");
    const ScopedEnvironment prefix("WINEPREFIX", tree_->Path("prefix"));
    Run run({patch_});
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString folder = QStringLiteral("C:\\UO");
    for (int typed = 1; typed <= folder.size(); ++typed) {
      QTest::keyClicks(edit, folder.mid(typed - 1, 1));
      QCOMPARE(run.Next()->isEnabled(), typed == folder.size());
    }
    QCOMPARE(run.Widget<QLabel>(run.Form().UOClientMapResultLabel)->text(),
             QStringLiteral("Found and writeable!"));
    QCOMPARE(run.Background(run.Form().UOClientMapResultLabel), QColor(0, 128, 0));
  }

  void pastingFromTheContextMenuRunsTheCheck() {
    Run run({patch_});
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QGuiApplication::clipboard()->setText(QString::fromStdString(tree_->Path("client")));
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text().startsWith(QStringLiteral("&Paste"))) paste = action;
    }
    QVERIFY(paste != nullptr);
    QVERIFY(paste->isEnabled());
    paste->trigger();
    QCOMPARE(QString::fromStdString(run.Form().UOClientPathEdit->Text()), edit->text());
    QVERIFY(run.Next()->isEnabled());
  }

  void nextLeadsThroughAllThreePages() {
    Run run({patch_, tree_->Path("client"), tree_->Path("cd")});
    QCOMPARE(run.Action(), QStringLiteral("Check current files"));
    QVERIFY(run.Widget<QLineEdit>(run.Form().UOClientPathEdit)->isVisible());
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Action(), QStringLiteral("Check for correct CD"));
    QVERIFY(!run.Widget<QLineEdit>(run.Form().UOClientPathEdit)->isVisible());
    QVERIFY(run.Widget<QLineEdit>(run.Form().UOCDPathEdit)->isVisible());
    QVERIFY(run.Next()->isEnabled());
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Action(), QStringLiteral("Apply the patch"));
    QVERIFY(!run.Next()->isEnabled());
    QVERIFY(!run.Widget<QPushButton>(run.Form().FinishButton)->isEnabled());
    QVERIFY(!run.Widget<QLineEdit>(run.Form().UOCDPathEdit)->isVisible());
    // The user can only close the window, which ends the program at once.
    QVERIFY(run.window.close());
    QVERIFY(run.program.App().QuitPending());
    QCOMPARE(run.program.ExitStatus(), 0);
  }

  void focusKeysFollowTheWindowsRules() {
    Run run({patch_});
    QTRY_COMPARE(run.FocusedName(), QStringLiteral("PageControl"));
    run.Key(Qt::Key_Tab);
    QCOMPARE(run.FocusedName(), QStringLiteral("UOClientPathEdit"));
    QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(tree_->Path("client")));
    QVERIFY(run.Next()->isEnabled());
    run.Key(Qt::Key_Tab);
    QCOMPARE(run.FocusedName(), QStringLiteral("UOClientTestButton"));
    run.Key(Qt::Key_Left);
    QCOMPARE(run.FocusedName(), QStringLiteral("UOClientResultsGroupBox"));
    run.Key(Qt::Key_Right);
    run.Key(Qt::Key_Tab);
    QCOMPARE(run.FocusedName(), QStringLiteral("NextButton"));
    run.Key(Qt::Key_Right);
    QCOMPARE(run.FocusedName(), QStringLiteral("_ProgressBar"));
    run.Key(Qt::Key_Left);
    run.Key(Qt::Key_Escape);
    run.Key(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(run.Action(), QStringLiteral("Check current files"));
    run.Key(Qt::Key_Return);
    QCOMPARE(run.Action(), QStringLiteral("Check for correct CD"));
    // Next was disabled under the focus: no control keeps it.
    QCOMPARE(run.FocusedName(), QStringLiteral("(none)"));
    run.Key(Qt::Key_Tab);
    QCOMPARE(run.FocusedName(), QStringLiteral("PageControl"));
    run.Key(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(run.Action(), QStringLiteral("Check for correct CD"));
    run.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(run.FocusedName(), QStringLiteral("UOCDRecheckButton"));
    // Enter in an edit presses nothing.
    run.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(run.FocusedName(), QStringLiteral("UOCDPathEdit"));
    QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(tree_->Path("cd")));
    run.Key(Qt::Key_Return);
    QCOMPARE(run.Action(), QStringLiteral("Check for correct CD"));
    QVERIFY(run.Next()->isEnabled());
  }

  void aStartupErrorShowsItsBoxAndEndsWithStatus1() {
    BoxWatcher watcher;
    const int status = RunSQPatch({});
    QCOMPARE(status, 1);
    // Only the first box waits; the later ones close at once.
    QCOMPARE(watcher.boxes.size(), std::size_t{1});
    QCOMPARE(watcher.boxes[0].caption, QStringLiteral("Error"));
    QCOMPARE(watcher.boxes[0].text,
             QStringLiteral("Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]"));
    QCOMPARE(watcher.boxes[0].icon, QMessageBox::NoIcon);
    QCOMPARE(watcher.boxes[0].buttons, 1);
  }

  void aFailedSizeProbeShowsTheStopBoxAndTheProgramGoesOn() {
    tree_->File("socket/StaIdx0.mul");
    tree_->File("socket/Map0.mul");
    tree_->Socket("socket/Statics0.mul");
    Run run({patch_, tree_->Path("client"), tree_->Path("cd")});
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    BoxWatcher watcher;
    auto* edit = run.Widget<QLineEdit>(run.Form().UOCDPathEdit);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(tree_->Path("socket")));
    QVERIFY(!watcher.boxes.empty());
    QCOMPARE(watcher.boxes.back().caption, QStringLiteral("Stonequill Patch"));
    QCOMPARE(watcher.boxes.back().text, QStringLiteral("E/A-Fehler 6."));
    QCOMPARE(watcher.boxes.back().icon, QMessageBox::Critical);
    QCOMPARE(run.Widget<QLabel>(run.Form().UOCDStaticsResultLabel)->text(),
             QStringLiteral("Found!"));
    QCOMPARE(run.Background(run.Form().UOCDStaticsResultLabel), QColor(0, 128, 0));
    QVERIFY(run.window.isVisible());
    QVERIFY(!run.program.App().QuitPending());
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::WizardWindowTest)
#include "wizard_window_test.moc"
