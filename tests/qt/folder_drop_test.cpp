// Folders dropped from a file manager onto the folder fields, delivered as
// the window system delivers them: drag enter, move, drop.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "run_sqpatch.h"
#include "support/check_counter.h"
#include "support/temp_tree.h"
#include "widgets/edit.h"
#include "wizard_run.h"

namespace sqp::qt::testing {

using sqp::testing::CheckCounter;
using sqp::testing::MakeMapFiles;
using sqp::testing::TempTree;

class FolderDropTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SampleFolders> samples_;
  TempTree* tree_ = nullptr;
  std::string patch_;

  QString Path(const char* relative) { return QString::fromStdString(tree_->Path(relative)); }
  QUrl Url(const char* relative) { return QUrl::fromLocalFile(Path(relative)); }

 private slots:
  void initTestCase() { SetUpApplication(); }
  void init() {
    samples_ = std::make_unique<SampleFolders>();
    tree_ = samples_->tree.get();
    patch_ = samples_->patch;
  }
  void cleanup() { samples_.reset(); }

  // The window hands the URLs to the core, which names the folder or
  // refuses the drop; a taken drop is one edit, which Ctrl+Z takes back.
  void urlDropsReachTheFieldAsOneEdit_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("checks");
    // Folder URLs often end in a slash.
    QTest::newRow("a folder") << QStringList{"client/"} << "client" << 1;
    QTest::newRow("files of one folder")
        << QStringList{"cd/Statics0.mul", "cd/Map0.mul"} << "cd" << 1;
    QTest::newRow("files of two folders")
        << QStringList{"client/Map0.mul", "cd/Map0.mul"} << "typed" << 0;
    QTest::newRow("a share") << QStringList{"file://server/share/uo"} << "typed" << 0;
    QTest::newRow("a web address") << QStringList{"https://example.invalid/uo/"} << "typed" << 0;
  }
  void urlDropsReachTheFieldAsOneEdit() {
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    QFETCH(int, checks);
    Run run({patch_});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    QTest::keyClicks(edit, "typed");
    CheckCounter counter(form, form.UOClientPathEdit);
    QList<QUrl> urls;
    for (const QString& item : items) {
      urls << (item.contains(QLatin1String("://")) ? QUrl(item)
                                                   : QUrl::fromLocalFile(Path(qPrintable(item))));
    }
    const auto data = FileManagerDrag(urls);
    const bool taken = checks > 0;
    QCOMPARE(DragOver(edit, *data), taken);
    const DropOutcome outcome = Drop(edit, *data);
    QCOMPARE(outcome.accepted, taken);
    const QString expected = taken ? Path(qPrintable(text)) : text;
    QCOMPARE(edit->text(), expected);
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), expected);
    QCOMPARE(counter.checks, checks);
    QCOMPARE(counter.text_changes, checks);
    if (!taken) return;
    // The drop was the user's own edit: Ctrl+Z takes it back, and checks.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QString("typed"));
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), "typed");
    QCOMPARE(counter.checks, checks + 1);
  }

  void dropsAreCopiedOrLinkedNeverMoved() {
    Run run({patch_});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    CheckCounter counter(form, form.UOClientPathEdit);
    const auto data = FileManagerDrag({Url("client")});
    QVERIFY(DragOver(edit, *data));
    QCOMPARE(Drop(edit, *data).action, Qt::CopyAction);
    // Only moving is offered: taking it could make the source remove them.
    QVERIFY(!DragOver(edit, *data, Qt::MoveAction));
    // Where copying is not offered, the folder is taken as a link.
    QVERIFY(DragOver(edit, *data, Qt::MoveAction | Qt::LinkAction));
    QCOMPARE(Drop(edit, *data, Qt::MoveAction | Qt::LinkAction).action, Qt::LinkAction);
    QCOMPARE(edit->text(), Path("client"));
    QCOMPARE(counter.checks, 2);
  }

  void droppedTextIsTyped() {
    Run run({patch_});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    CheckCounter counter(form, form.UOClientPathEdit);
    QMimeData data;
    data.setText(Path("client"));
    QVERIFY(DragOver(edit, data));
    QVERIFY(Drop(edit, data).accepted);
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), Path("client"));
    QCOMPARE(edit->text(), Path("client"));
    QCOMPARE(counter.checks, 1);
    QVERIFY(run.Next()->isEnabled());
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::FolderDropTest)
#include "folder_drop_test.moc"
