// What the folder fields offer beyond typing: folder names completed in a
// popup list, and "Browse for folder..." in the context menu. Keys go where
// the window system sends them: to the open list, else to the focused widget.
#include <QAbstractItemView>
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

  void typingListsTheFoldersThatStartSoInAnyCase_data() {
    QTest::addColumn<bool>("folder_in_capitals");
    QTest::addColumn<QString>("typed_name");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("lower case") << false << "cl" << QStringList{"client", "CLone"};
    QTest::newRow("capitals") << false << "CL" << QStringList{"client", "CLone"};
    QTest::newRow("the folder typed in capitals") << true << "cL" << QStringList{"client", "CLone"};
    QTest::newRow("a dot: hidden folders") << false << "." << QStringList{".hidden"};
    QTest::newRow("no folder starts so") << false << "north" << QStringList{};
  }
  void typingListsTheFoldersThatStartSoInAnyCase() {
    QFETCH(bool, folder_in_capitals);
    QFETCH(QString, typed_name);
    QFETCH(QStringList, names);
    Run run({samples_->patch});
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QVERIFY(QTest::qWaitForWindowActive(&run.window));
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString folder = folder_in_capitals ? Typed().toUpper() : Typed();
    Type(run.window, folder);
    // The folder's folders, and no hidden one, arrive from another thread;
    // once they are all there, each key filters them at once.
    QTRY_COMPARE_WITH_TIMEOUT(ShownEntries(),
                              QStringList({folder + "cd", folder + "client", folder + "CLone"}),
                              kListWaitMs);
    Type(run.window, typed_name);
    QCOMPARE(edit->text(), folder + typed_name);
    QCOMPARE(QString::fromStdString(run.Form().UOClientPathEdit->Text()), edit->text());
    if (names.isEmpty()) {
      QVERIFY(OpenList() == nullptr);
      return;
    }
    QStringList entries;
    for (const QString& name : names) entries << folder + name;
    QCOMPARE(ShownEntries(), entries);
    // The list writes nothing into the field until an entry is taken.
    Press(run.window, Qt::Key_Down);
    QCOMPARE(edit->text(), folder + typed_name);
  }

  void takingAnEntryIsOneEditAndPressesNoButton_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("Tab") << Qt::Key_Tab;
  }
  void takingAnEntryIsOneEditAndPressesNoButton() {
    QFETCH(Qt::Key, key);
    Run run({samples_->patch});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    QVERIFY(QTest::qWaitForWindowActive(&run.window));
    QTest::mouseClick(edit, Qt::LeftButton);
    Type(run.window, Typed("CLI"));
    QTRY_VERIFY_WITH_TIMEOUT(OpenList() != nullptr, kListWaitMs);
    CheckCounter counter(form, form.UOClientPathEdit);
    Press(run.window, Qt::Key_Down);
    Press(run.window, key);
    QVERIFY(OpenList() == nullptr);
    QCOMPARE(edit->text(), Typed("client"));
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), Typed("client"));
    QCOMPARE(counter.checks, 1);
    QCOMPARE(run.Widget<QLabel>(form.UOClientMapResultLabel)->text(),
             QStringLiteral("Found and writeable!"));
    QCOMPARE(run.Background(form.UOClientMapResultLabel), QColor(0, 128, 0));
    // Next is enabled now, but only the list took the key.
    QVERIFY(run.Next()->isEnabled());
    QCOMPARE(run.Action(), QStringLiteral("Check current files"));
    QCOMPARE(run.FocusedName(), QStringLiteral("UOClientPathEdit"));
    Press(run.window, Qt::Key_Return);
    QCOMPARE(run.Action(), QStringLiteral("Check current files"));
    QCOMPARE(counter.checks, 1);
  }

  void closingTheListLeavesTheFocusRulesToTab_data() {
    QTest::addColumn<bool>("escape_first");
    QTest::newRow("Escape, then Tab") << true;
    QTest::newRow("Tab with no entry picked") << false;
  }
  void closingTheListLeavesTheFocusRulesToTab() {
    QFETCH(bool, escape_first);
    Run run({samples_->patch});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    QVERIFY(QTest::qWaitForWindowActive(&run.window));
    QTest::mouseClick(edit, Qt::LeftButton);
    Type(run.window, Typed("c"));
    QTRY_VERIFY_WITH_TIMEOUT(OpenList() != nullptr, kListWaitMs);
    CheckCounter counter(form, form.UOClientPathEdit);
    if (escape_first) {
      Press(run.window, Qt::Key_Down);
      Press(run.window, Qt::Key_Escape);
      QVERIFY(OpenList() == nullptr);
      QCOMPARE(run.FocusedName(), QStringLiteral("UOClientPathEdit"));
    }
    Press(run.window, Qt::Key_Tab);
    QVERIFY(OpenList() == nullptr);
    QCOMPARE(run.FocusedName(), QStringLiteral("UOClientTestButton"));
    QCOMPARE(edit->text(), Typed("c"));
    QCOMPARE(counter.checks, 0);
  }

  void browseForFolderFollowsTheStandardEntries_data() {
    QTest::addColumn<QString>("field");  // below the tree; "-" for an empty field
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("chosen");  // empty: cancelled
    QTest::addColumn<int>("checks");
    QTest::newRow("chosen, starting in the field's folder") << "CLIENT"
                                                            << "client"
                                                            << "client" << 1;
    QTest::newRow("chosen, the field names no folder") << "nowhere"
                                                       << ""
                                                       << "client" << 1;
    QTest::newRow("chosen, the field is empty") << "-"
                                                << ""
                                                << "client" << 1;
    QTest::newRow("cancelled") << "CLone"
                               << "CLone"
                               << "" << 0;
  }
  void browseForFolderFollowsTheStandardEntries() {
    QFETCH(QString, field);
    QFETCH(QString, start);
    QFETCH(QString, chosen);
    QFETCH(int, checks);
    QStringList starts;
    Run run({samples_->patch}, [&](QWidget*, const QString& start_folder) {
      starts << start_folder;
      return chosen.isEmpty() ? std::nullopt : std::optional<QString>(Typed(chosen));
    });
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    const QString before = field == QStringLiteral("-") ? QString() : Typed(field);
    QTest::keyClicks(edit, before);
    CheckCounter counter(form, form.UOClientPathEdit);

    const QStringList texts = UseContextMenu(edit, QStringLiteral("Browse for folder..."));
    std::unique_ptr<QMenu> standard(edit->createStandardContextMenu());
    QCOMPARE(texts, MenuTexts(*standard) << "-"
                                         << "Browse for folder...");
    QCOMPARE(starts, QStringList{start.isEmpty() ? QString() : Typed(start)});
    const QString after = chosen.isEmpty() ? before : Typed(chosen);
    QCOMPARE(edit->text(), after);
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), after);
    QCOMPARE(counter.checks, checks);
    QCOMPARE(run.Next()->isEnabled(), after == Typed("client"));
  }

  // The program's own picker: a folder typed into it and taken fills the
  // field, and nothing under the home folder changes (the test runs with a
  // home of its own, where Qt's and the desktop's dialogs keep their state).
  void theRealPickerChoosesAFolderAndWritesNothing() {
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
    const QStringList before = home_entries();
    Run run({samples_->patch}, ChooseFolderInDialog);
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QTimer picker;
    connect(&picker, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      picker.stop();
      auto* path = dialog->findChild<QLineEdit*>();
      path->selectAll();
      QTest::keyClicks(path, Typed("client"));
      QTest::keyClick(path, Qt::Key_Return);
    });
    picker.start(10);
    UseContextMenu(edit, QStringLiteral("Browse for folder..."));
    QCOMPARE(edit->text(), tree_->Path("client").c_str());
    QVERIFY(run.Next()->isEnabled());
    QCOMPARE(home_entries(), before);
  }

  void aFieldOnAPageLeftOffersNeither() {
    bool asked = false;
    Run run({samples_->patch, tree_->Path("client"), tree_->Path("cd")},
            [&](QWidget*, const QString&) {
              asked = true;
              return std::nullopt;
            });
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QVERIFY(!edit->isVisible());
    const QStringList texts = UseContextMenu(edit, QStringLiteral("Browse for folder..."));
    QVERIFY(!texts.isEmpty());
    QVERIFY(!texts.contains(QStringLiteral("Browse for folder...")));
    QVERIFY(!asked);
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::FolderFieldTest)
#include "folder_field_test.moc"
