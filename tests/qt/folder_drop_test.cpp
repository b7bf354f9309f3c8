// Folders dropped from a file manager onto the folder fields, delivered as
// the window system delivers them: drag enter, move, drop.
#include <QDropEvent>
#include <QLineEdit>
#include <QList>
#include <QMimeData>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "check_counter.h"
#include "run_sqpatch.h"
#include "support/temp_tree.h"
#include "widgets/edit.h"
#include "wizard_run.h"

namespace sqp::qt::testing {

using sqp::testing::MakeMapFiles;
using sqp::testing::TempTree;

// What a file manager puts on the drag: the items' URLs, and the same as text.
std::unique_ptr<QMimeData> FileManagerDrag(const QList<QUrl>& urls) {
  auto data = std::make_unique<QMimeData>();
  data->setUrls(urls);
  QStringList lines;
  for (const QUrl& url : urls) lines << url.toString();
  data->setText(lines.join(QLatin1Char('\n')));
  return data;
}

constexpr Qt::DropActions kFileManagerActions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// The drag enters the widget and moves over it; true when it was taken.
bool DragOver(QWidget* target, const QMimeData& data,
              Qt::DropActions actions = kFileManagerActions) {
  const QPoint point = target->rect().center();
  QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  return move.isAccepted();
}

struct DropOutcome {
  bool accepted;
  Qt::DropAction action;
};

// The button is released: the drop goes to the widget that took the drag.
DropOutcome Drop(QWidget* target, const QMimeData& data,
                 Qt::DropActions actions = kFileManagerActions) {
  QDropEvent drop(QPointF(target->rect().center()), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return {drop.isAccepted(), drop.dropAction()};
}

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

  void aDroppedFolderFillsTheFieldAndTheCheckRunsOnce() {
    Run run({patch_});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    CheckCounter counter(form, form.UOClientPathEdit);
    // Folder URLs often end in a slash.
    const auto data = FileManagerDrag({QUrl::fromLocalFile(Path("client") + "/")});
    QVERIFY(DragOver(edit, *data));
    const DropOutcome outcome = Drop(edit, *data);
    QVERIFY(outcome.accepted);
    QCOMPARE(outcome.action, Qt::CopyAction);
    QCOMPARE(edit->text(), Path("client"));
    QCOMPARE(QString::fromStdString(form.UOClientPathEdit->Text()), Path("client"));
    QCOMPARE(counter.checks, 1);
    QCOMPARE(counter.text_changes, 1);
    for (const widgets::Label* label :
         {form.UOClientStaIdxResultLabel, form.UOClientStaticsResultLabel,
          form.UOClientMapResultLabel}) {
      QCOMPARE(run.Widget<QLabel>(label)->text(), QStringLiteral("Found and writeable!"));
      QCOMPARE(run.Background(label), QColor(0, 128, 0));
    }
    QVERIFY(run.Next()->isEnabled());
  }

  void droppedFilesGiveTheFolderThatHoldsThem() {
    Run run({patch_, tree_->Path("client"), tree_->Path("nothing")});
    TSQPMainForm& form = run.Form();
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Action(), QStringLiteral("Check for correct CD"));
    QVERIFY(!run.Next()->isEnabled());
    auto* edit = run.Widget<QLineEdit>(form.UOCDPathEdit);
    CheckCounter counter(form, form.UOCDPathEdit);
    // Two files picked in the same folder: that folder replaces the text.
    const auto data = FileManagerDrag({Url("cd/Statics0.mul"), Url("cd/Map0.mul")});
    QVERIFY(DragOver(edit, *data));
    QVERIFY(Drop(edit, *data).accepted);
    QCOMPARE(edit->text(), Path("cd"));
    QCOMPARE(counter.checks, 1);
    QCOMPARE(run.Widget<QLabel>(form.UOCDStaticsResultLabel)->text(), QStringLiteral("Found!"));
    QCOMPARE(run.Widget<QLabel>(form.UOCDTypeResultLabel)->text(),
             QStringLiteral("The Second Age"));
    QVERIFY(run.Next()->isEnabled());
  }

  void dropsThatNameNoLocalFolderAreRefused() {
    Run run({patch_});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    QTest::keyClicks(edit, "typed");
    CheckCounter counter(form, form.UOClientPathEdit);
    const QList<QList<QUrl>> refused = {
        {QUrl(QStringLiteral("https://example.invalid/uo/"))},
        {QUrl(QStringLiteral("sftp://example.invalid/home/uo"))},
        {QUrl(QStringLiteral("file://server/share/uo"))},
        {Url("client"), QUrl(QStringLiteral("https://example.invalid/uo/"))},
        {Url("client/Map0.mul"), Url("cd/Map0.mul")},
    };
    for (const QList<QUrl>& urls : refused) {
      const auto data = FileManagerDrag(urls);
      QVERIFY2(!DragOver(edit, *data), qPrintable(data->text()));
      QVERIFY2(!Drop(edit, *data).accepted, qPrintable(data->text()));
    }
    // Only moving is offered: taking it could make the source remove them.
    const auto data = FileManagerDrag({Url("client")});
    QVERIFY(!DragOver(edit, *data, Qt::MoveAction));
    QCOMPARE(edit->text(), QStringLiteral("typed"));
    QCOMPARE(form.UOClientPathEdit->Text(), "typed");
    QCOMPARE(counter.checks, 0);
    // Where copying is not offered, the folder is taken as a link.
    QVERIFY(DragOver(edit, *data, Qt::MoveAction | Qt::LinkAction));
    QCOMPARE(Drop(edit, *data, Qt::MoveAction | Qt::LinkAction).action, Qt::LinkAction);
    QCOMPARE(edit->text(), Path("client"));
  }

  void droppedTextIsTypedAsBefore() {
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
