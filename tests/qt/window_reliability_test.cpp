// The real window and the whole program on inputs that try to break them:
// nothing written, every run ends in order.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "box_watcher.h"
#include "run_sqpatch.h"
#include "support/temp_tree.h"
#include "support/tree_snapshot.h"
#include "support/tree_watch.h"
#include "window_closer.h"
#include "wizard_run.h"

namespace sqp::qt::testing {

using sqp::testing::MakeMapFiles;
using sqp::testing::TempTree;

class WindowReliabilityTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempTree> tree_;

 private slots:
  void initTestCase() { SetUpApplication(); }
  void init() { tree_ = std::make_unique<TempTree>(); }
  void cleanup() { tree_.reset(); }

  void aWholeRunThroughTheWindowWritesNothing() {
    const std::string patch = tree_->File("north.sq2", 64);
    MakeMapFiles(*tree_, "client");
    MakeMapFiles(*tree_, "cd", 21971754);
    sqp::testing::SetReadOnly(tree_->Path("cd/Statics0.mul"));
    tree_->File("odd/StaIdx0.mul");
    tree_->File("odd/Map0.mul");
    tree_->Fifo("odd/Statics0.mul");
    const sqp::testing::TreeSnapshot before = sqp::testing::SnapshotTree(tree_->Root());
    sqp::testing::TreeWatch watch(tree_->Root());

    Run run({patch, tree_->Path("odd"), tree_->Path("odd")});
    auto* client = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    client->selectAll();
    QTest::keyClicks(client, QString::fromStdString(tree_->Path("client")));
    QTest::mouseClick(run.Widget<QPushButton>(run.Form().UOClientTestButton), Qt::LeftButton);
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Form().UOCDTypeResultLabel->Text(), std::string("Unknown"));  // the FIFO
    auto* cd = run.Widget<QLineEdit>(run.Form().UOCDPathEdit);
    cd->selectAll();
    QTest::keyClicks(cd, QString::fromStdString(tree_->Path("cd")));
    QTest::mouseClick(run.Widget<QPushButton>(run.Form().UOCDRecheckButton), Qt::LeftButton);
    QCOMPARE(run.Form().UOCDTypeResultLabel->Text(), std::string("The Second Age"));
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Action(), QStringLiteral("Apply the patch"));
    QVERIFY(run.window.close());

    QCOMPARE(watch.TakeEvents(), std::vector<std::string>{});
    const std::string changes =
        sqp::testing::DescribeTreeChanges(before, sqp::testing::SnapshotTree(tree_->Root()));
    QVERIFY2(changes.empty(), changes.c_str());
  }

  void aFolderOfAnyLengthStaysWhole() {
    const std::string folder = "/" + std::string(65535, 'd');
    Run run({tree_->File("north.sq2"), folder, folder});
    auto* edit = run.Widget<QLineEdit>(run.Form().UOClientPathEdit);
    QCOMPARE(edit->text().size(), qsizetype{65536});
    // A key typed at its end reaches the core with the whole text before it.
    edit->end(false);
    QTest::keyClicks(edit, "/");
    QCOMPARE(run.Form().UOClientPathEdit->Text(), folder + "/");
    QCOMPARE(run.Form().UOClientStaIdxResultLabel->Text(), std::string("Not found!"));
  }

  void hostileCommandLinesEndInOrder_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("first_box");
    // Kinds, made in the test from the tree: see Arguments().
    QTest::newRow("1000 arguments")
        << 0 << 1 << "Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]";
    QTest::newRow("a patch name of 1 MB") << 1 << 1 << "";
    QTest::newRow("invalid UTF-8 folders") << 2 << 0 << "";
    QTest::newRow("control characters and escapes") << 3 << 0 << "";
    QTest::newRow("folders of 65536 characters") << 4 << 0 << "";
    QTest::newRow("a socket as Statics0.mul at start-up") << 5 << 0 << "E/A-Fehler 6.";
  }

  void hostileCommandLinesEndInOrder() {
    QFETCH(int, kind);
    QFETCH(int, status);
    QFETCH(QString, first_box);
    const std::string patch = tree_->File("north.sq2");
    std::vector<std::string> arguments;
    switch (kind) {
      case 0:
        arguments.assign(1000, patch);
        break;
      case 1:
        arguments = {std::string(1 << 20, 'p') + ".sq2"};
        break;
      case 2:
        arguments = {patch, "\xff\xfe/\xc3", "/tmp/\xed\xa0\x80"};
        break;
      case 3:
        arguments = {patch, "\t\x01/tmp\x7f", "\x1b[31m\r\n"};
        break;
      case 4:
        arguments = {patch, "/" + std::string(65535, 'd'), std::string(65536, '/')};
        break;
      case 5:
        tree_->File("cd/StaIdx0.mul");
        tree_->File("cd/Map0.mul");
        tree_->Socket("cd/Statics0.mul");
        arguments = {patch, tree_->Path("cd"), tree_->Path("cd")};
        break;
    }
    const sqp::testing::TreeSnapshot before = sqp::testing::SnapshotTree(tree_->Root());
    BoxWatcher boxes;
    WindowCloser closer;
    QCOMPARE(RunSQPatch(arguments), status);
    if (first_box.isEmpty() && kind == 1) {
      // The name itself, followed by both suffixes: only the first box waits.
      QCOMPARE(boxes.boxes.size(), std::size_t{1});
      QVERIFY(boxes.boxes[0].text.endsWith(QStringLiteral(" does not exist!")));
    } else if (first_box.isEmpty()) {
      QCOMPARE(boxes.boxes.size(), std::size_t{0});
    } else {
      QVERIFY(!boxes.boxes.empty());
      QCOMPARE(boxes.boxes[0].text, first_box);
    }
    // A run that opened its window ended because the user closed it.
    QCOMPARE(closer.closed, status == 0);
    const std::string changes =
        sqp::testing::DescribeTreeChanges(before, sqp::testing::SnapshotTree(tree_->Root()));
    QVERIFY2(changes.empty(), changes.c_str());
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::WindowReliabilityTest)
#include "window_reliability_test.moc"
