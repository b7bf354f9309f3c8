// What the folder fields offer beyond typing: folder names completed in a
// popup list, and "Browse for folder..." in the context menu. Keys go where
// the window system sends them: to the open list, else to the focused widget.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAction>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <optional>

#include "run_sqpatch.h"
#include "support/check_counter.h"
#include "support/temp_tree.h"
#include "wizard_run.h"

namespace sqp::qt::testing {

using sqp::testing::CheckCounter;
using sqp::testing::TempTree;

// The completion list on screen, if one is open.
QAbstractItemView* OpenList() {
  return qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
}

// The folder model reads on a thread of its own; on a loaded machine the
// list can take seconds to fill.
constexpr int kListWaitMs = 30000;

// The entries of the open completion list; none without one.
QStringList ShownEntries() {
  QStringList entries;
  if (QAbstractItemView* list = OpenList()) {
    for (int row = 0; row < list->model()->rowCount(); ++row)
      entries << list->model()->index(row, 0).data().toString();
  }
  return entries;
}

// The offscreen platform activates a popup when it opens and no window once
// it closes; a desktop gives the activation back to the window below.
void KeepActive(QWidget& window) {
  QCoreApplication::processEvents();
  if (QApplication::activePopupWidget() == nullptr && !window.isActiveWindow()) {
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }
}

QWidget* KeyReceiver() {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  return QApplication::focusWidget();
}

void Press(QWidget& window, Qt::Key key) {
  QTest::keyClick(KeyReceiver(), key);
  KeepActive(window);
}

void Type(QWidget& window, const QString& text) {
  for (const QChar c : text) {
    QTest::keyClicks(KeyReceiver(), QString(c));
    KeepActive(window);
  }
}

// The texts of a context menu's entries, separators as "-".
QStringList MenuTexts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions())
    texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return texts;
}

// Opens the edit's context menu as a right click does; `pick` is clicked
// when the menu holds it, else the menu is closed. Answers the entries.
QStringList UseContextMenu(QLineEdit* edit, const QString& pick) {
  QStringList texts;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    texts = MenuTexts(*menu);
    for (QAction* action : menu->actions()) {
      if (action->text() == pick) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        return;
      }
    }
    menu->close();
  });
  const QPoint point = edit->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, point, edit->mapToGlobal(point));
  QApplication::sendEvent(edit, &event);
  return texts;
}

class FolderFieldTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SampleFolders> samples_;
  TempTree* tree_ = nullptr;
  QString root_;

  // The root of the tree and "/" as the user types them.
  QString Typed(const QString& relative = QString()) { return root_ + "/" + relative; }

 private slots:
  void initTestCase() { SetUpApplication(); }
  void init() {
    samples_ = std::make_unique<SampleFolders>();
    tree_ = samples_->tree.get();
    tree_->Folder("CLone");
    tree_->Folder(".hidden");
    tree_->File("clip.txt");
    root_ = QString::fromStdString(tree_->Root());
  }
  void cleanup() { samples_.reset(); }

  // The list as the core fills it (which entries, and what keys do, are
  // the core's table): typed key by key, nothing written while the user
  // moves in it, an entry taken as one edit by Enter or Tab, and Tab with
  // nothing picked closing it and moving on.
  void theListShowsTheCoresEntriesAndTakesOneAsOneEdit_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("pick");
    QTest::newRow("Down, Enter") << Qt::Key_Return << true;
    QTest::newRow("Down, Tab") << Qt::Key_Tab << true;
    QTest::newRow("Tab with nothing picked") << Qt::Key_Tab << false;
  }
  void theListShowsTheCoresEntriesAndTakesOneAsOneEdit() {
    QFETCH(Qt::Key, key);
    QFETCH(bool, pick);
    Run run({samples_->patch});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    QVERIFY(QTest::qWaitForWindowActive(&run.window));
    QTest::mouseClick(edit, Qt::LeftButton);
    Type(run.window, Typed("cL"));
    // Folders only (not the file "clip.txt"), in any letter case.
    QTRY_COMPARE_WITH_TIMEOUT(ShownEntries(), QStringList({Typed("client"), Typed("CLone")}),
                              kListWaitMs);
    CheckCounter counter(form, form.UOClientPathEdit);
    if (pick) {
      Press(run.window, Qt::Key_Down);
      QCOMPARE(edit->text(), Typed("cL"));
    }
    Press(run.window, key);
    QVERIFY(OpenList() == nullptr);
    const QString text = pick ? Typed("client") : Typed("cL");
    QCOMPARE(edit->text(), text);
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), text);
    QCOMPARE(counter.checks, pick ? 1 : 0);
    QCOMPARE(run.Widget<QLabel>(form.UOClientMapResultLabel)->text(),
             pick ? QStringLiteral("Found and writeable!") : QStringLiteral("Not found!"));
    QCOMPARE(run.Next()->isEnabled(), pick);
    // Only the list took the key; with nothing picked, the focus moved on.
    QCOMPARE(run.FocusedName(),
             pick ? QStringLiteral("UOClientPathEdit") : QStringLiteral("UOClientTestButton"));
    QCOMPARE(run.Action(), QStringLiteral("Check current files"));
  }

  // A screen reader or voice input sets the text through the accessible
  // interface, as AT-SPI's editable text does: one check, and the rows
  // follow.
  void aTextSetByAssistiveTechnologyIsOneCheck() {
    Run run({samples_->patch});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    CheckCounter counter(form, form.UOClientPathEdit);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    QVERIFY(accessible != nullptr && accessible->editableTextInterface() != nullptr);
    accessible->editableTextInterface()->replaceText(0, 0, Typed("client"));
    QTRY_COMPARE(counter.checks, 1);
    QCoreApplication::processEvents();
    QCOMPARE(counter.checked, std::vector<std::string>{tree_->Path("client")});
    QVERIFY(run.Next()->isEnabled());
  }

  // A folder whose name is no UTF-8, given at start-up, stays as given:
  // what the window shows of it is no edit of anyone's.
  void aFolderNamedInOtherBytesStaysFound() {
    MakeMapFiles(*tree_, "cli\xe9nt");
    const std::string folder = tree_->Path("cli\xe9nt");
    Run run({samples_->patch, folder, folder});
    QCoreApplication::processEvents();
    QCOMPARE(run.Form().UOClientPathEdit->Text(), folder);
    QVERIFY(run.Next()->isEnabled());
  }

  // The program's own picker, from the field's context menu after the
  // standard entries: it opens in the folder the field names, a folder
  // typed into it and taken fills the field as one edit, and nothing under
  // the home folder changes (the test runs with a home of its own, where
  // Qt's and the desktop's dialogs would keep their state).
  void thePickerChoosesAFolderAndWritesNothing() {
    QDir().mkpath(QDir::homePath());
    const auto home_entries = [] {
      QStringList entries;
      QDirIterator it(QDir::homePath(),
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
      while (it.hasNext()) {
        const QFileInfo entry(it.next());
        entries << entry.filePath() + " " + QString::number(entry.size()) + " " +
                       entry.lastModified().toString(Qt::ISODateWithMs);
      }
      return entries;
    };
    // A client in the home's Wine prefix, for the search that runs meanwhile.
    const QString uo = QDir::homePath() + "/.wine/drive_c/UO/";
    QDir().mkpath(uo);
    for (const char* name : {"StaIdx0.mul", "Statics0.mul", "Map0.mul"})
      QFile(uo + name).open(QIODevice::WriteOnly);
    const QStringList before = home_entries();
    Run run({samples_->patch});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    run.window.StartFolderSearch();
    QTRY_VERIFY(!edit->placeholderText().isEmpty());
    QTest::keyClicks(edit, Typed("CLONE"));
    CheckCounter counter(form, form.UOClientPathEdit);
    QString start;
    QTimer picker;
    connect(&picker, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      picker.stop();
      auto* path = dialog->findChild<QLineEdit*>();
      start = path->text();
      path->selectAll();
      QTest::keyClicks(path, Typed("client"));
      QTest::keyClick(path, Qt::Key_Return);
    });
    picker.start(10);
    const QStringList texts = UseContextMenu(edit, QStringLiteral("Browse for folder..."));
    std::unique_ptr<QMenu> standard(edit->createStandardContextMenu());
    QCOMPARE(texts, MenuTexts(*standard) << "-"
                                         << "Browse for folder...");
    QCOMPARE(start, Typed("CLone"));
    QCOMPARE(edit->text(), Typed("client"));
    QCOMPARE(counter.checks, 1);
    QVERIFY(run.Next()->isEnabled());
    QCOMPARE(home_entries(), before);
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::FolderFieldTest)
#include "folder_field_test.moc"
