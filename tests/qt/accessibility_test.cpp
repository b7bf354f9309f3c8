// What a screen reader finds in the Linux window through Qt's accessibility
// interfaces, and which updates it is sent while the user works.
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QLineEdit>
#include <QtTest>
#include <map>
#include <memory>

#include "run_sqpatch.h"
#include "support/temp_tree.h"
#include "wizard_run.h"

namespace sqp::qt::testing {

using sqp::testing::MakeMapFiles;
using sqp::testing::RemoveFile;
using sqp::testing::TempTree;

// Names of the objects that were sent a name change, in order.
std::vector<QString>& NameChanges() {
  static std::vector<QString> changes;
  return changes;
}

void RecordUpdate(QAccessibleEvent* event) {
  // The announcement object is named by each announcement; not a row.
  if (event->type() == QAccessible::NameChanged && event->object() != nullptr &&
      event->object()->objectName() != "Announcement") {
    NameChanges().push_back(event->object()->objectName());
  }
}

QAccessibleInterface* Accessible(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget);
}

class AccessibilityTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempTree> tree_;
  std::string patch_;

 private slots:
  void initTestCase() {
    SetUpApplication();
    // What a screen reader's arrival does: the platform starts sending updates.
    QAccessible::installUpdateHandler(RecordUpdate);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QVERIFY(QAccessible::isActive());
  }
  void init() {
    tree_ = std::make_unique<TempTree>();
    patch_ = tree_->File("north.sq2");
    MakeMapFiles(*tree_, "client");
    RemoveFile(tree_->Path("client/Statics0.mul"));
    MakeMapFiles(*tree_, "cd", 21971754);
  }
  void cleanup() { tree_.reset(); }

  void everyControlIsNamedFromTheWindowsOwnTexts() {
    Run run({patch_, tree_->Path("client"), tree_->Path("cd")});
    TSQPMainForm& form = run.Form();
    const std::vector<std::pair<const widgets::Control*, QString>> expected = {
        {form.UOClientPathEdit, "The UO client is installed at: (i.e. C:\\UO)"},
        {form.UOClientStaIdxResultLabel, "Staidx0.mul: Found and writeable!"},
        {form.UOClientStaticsResultLabel, "Statics0.mul: Not found!"},
        {form.UOClientMapResultLabel, "Map0.mul: Found and writeable!"},
        {form.UOCDPathEdit, "The original UO files are at: (i.e. D:\\client)"},
        {form.UOCDStaticsResultLabel, "Statics0.mul: Found!"},
        {form.UOCDTypeResultLabel, "CD type: The Second Age"},
        {form.UOClientResultsGroupBox, "Results for current path"},
        {form.UOClientTestButton, "Test again"},
        {form.NextButton, "Next"},
        {form.FinishButton, "Finish"},
        {form.ActionLabel, "Check current files"},
        {form.CheckHDTabSheet, "Check current files"},
        {form.PageControl, "Check current files"},
    };
    for (const auto& [control, name] : expected) {
      QAccessibleInterface* accessible = Accessible(run.window.WidgetFor(control));
      QVERIFY2(accessible != nullptr, control->Name().c_str());
      QCOMPARE(accessible->text(QAccessible::Name), name);
    }
    QAccessibleInterface* edit = Accessible(run.window.WidgetFor(form.UOClientPathEdit));
    QCOMPARE(edit->role(), QAccessible::EditableText);
    QCOMPARE(edit->text(QAccessible::Value), QString::fromStdString(tree_->Path("client")));
    // A page that fails its check: Next and Finish are there but unavailable.
    QVERIFY(Accessible(run.Next())->state().disabled);
    QVERIFY(Accessible(run.window.WidgetFor(form.FinishButton))->state().disabled);
    QVERIFY(!Accessible(run.window.WidgetFor(form.UOClientTestButton))->state().disabled);
  }

  void onlyAChangedResultIsAnnouncedAndThenTheNewPage() {
    Run run({patch_});
    TSQPMainForm& form = run.Form();
    auto* edit = run.Widget<QLineEdit>(form.UOClientPathEdit);
    QVERIFY(QTest::qWaitForWindowActive(&run.window));
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString folder = QString::fromStdString(tree_->Path("client"));
    for (qsizetype typed = 1; typed <= folder.size(); ++typed) {
      NameChanges().clear();
      QTest::keyClicks(edit, folder.mid(typed - 1, 1));
      const std::vector<QString> expected =
          typed < folder.size()
              ? std::vector<QString>{}
              : std::vector<QString>{"UOClientStaIdxResultLabel", "UOClientMapResultLabel"};
      QVERIFY2(NameChanges() == expected, qPrintable(folder.left(typed)));
      QCOMPARE(QApplication::focusWidget(), edit);
    }
    QCOMPARE(Accessible(run.window.WidgetFor(form.UOClientMapResultLabel))->text(QAccessible::Name),
             QStringLiteral("Map0.mul: Found and writeable!"));

    MakeMapFiles(*tree_, "client");
    NameChanges().clear();
    QTest::mouseClick(run.Widget<QPushButton>(form.UOClientTestButton), Qt::LeftButton);
    QCOMPARE(NameChanges(), std::vector<QString>{"UOClientStaticsResultLabel"});
    QCOMPARE(
        Accessible(run.window.WidgetFor(form.UOClientStaticsResultLabel))->text(QAccessible::Name),
        QStringLiteral("Statics0.mul: Found and writeable!"));

    NameChanges().clear();
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(NameChanges(), (std::vector<QString>{"PageControl", "ActionLabel"}));
    QCOMPARE(Accessible(run.window.WidgetFor(form.ActionLabel))->text(QAccessible::Name),
             QStringLiteral("Check for correct CD"));
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::AccessibilityTest)
#include "accessibility_test.moc"
