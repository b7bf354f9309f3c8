#pragma once

#include <QApplication>
#include <QColor>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QMimeData>
#include <QPushButton>
#include <QString>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "qt_application_view.h"
#include "qt_wizard_window.h"
#include "sqpatch/sqpatch_program.h"
#include "support/recording_view.h"
#include "support/temp_tree.h"
#include "widgets/label.h"

namespace sqp::qt::testing {

// The program's own view, with a note of every box it is asked for and every
// quit request; boxes still open on screen.
class NotingView : public QtApplicationView {
 public:
  void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) override {
    boxes.push_back({box, !closes_at_once});
    QtApplicationView::RunMessageBox(box, closes_at_once);
  }
  void PostQuit() override {
    ++quit_requests;
    QtApplicationView::PostQuit();
  }
  std::vector<sqp::testing::ShownBox> boxes;
  int quit_requests = 0;
};

// One run of the program with its real window on screen.
struct Run {
  explicit Run(std::vector<std::string> arguments,
               FolderChooser choose_folder = ChooseFolderInDialog)
      : program(view, std::move(arguments)),
        window(program.App(), program.SQPMainForm(), LayoutMetrics(), std::move(choose_folder)) {
    program.App().ShowMainForm();
    window.show();
    window.activateWindow();
  }
  TSQPMainForm& Form() { return program.SQPMainForm(); }
  template <class W>
  W* Widget(const widgets::Control* control) {
    return qobject_cast<W*>(window.WidgetFor(control));
  }
  QPushButton* Next() { return Widget<QPushButton>(Form().NextButton); }
  QString Action() { return Widget<QLabel>(Form().ActionLabel)->text(); }
  // The colour painted behind a label, read from a grab of the window.
  QColor Background(const widgets::Label* label) {
    QWidget* widget = window.WidgetFor(label);
    const QImage image = window.grab().toImage();
    return image.pixelColor(widget->mapTo(&window, QPoint(1, 0)));
  }
  QString FocusedName() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && focus != &window ? focus->objectName() : QStringLiteral("(none)");
  }
  QWidget* KeyTarget() {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window;
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(KeyTarget(), static_cast<Qt::Key>(key), modifiers);
  }

  NotingView view;
  SQPatchProgram program;
  QtWizardWindow window;
};

// The folders most cases start from, made afresh for each case: a patch
// file, a writeable client folder and a CD folder of "The Second Age".
struct SampleFolders {
  SampleFolders()
      : tree(std::make_unique<sqp::testing::TempTree>()), patch(tree->File("north.sq2")) {
    sqp::testing::MakeMapFiles(*tree, "client");
    sqp::testing::MakeMapFiles(*tree, "cd", 21971754);
  }
  std::unique_ptr<sqp::testing::TempTree> tree;
  std::string patch;
};

// What a file manager puts on the drag: the items' URLs, and the same as text.
inline std::unique_ptr<QMimeData> FileManagerDrag(const QList<QUrl>& urls) {
  auto data = std::make_unique<QMimeData>();
  data->setUrls(urls);
  QStringList lines;
  for (const QUrl& url : urls) lines << url.toString();
  data->setText(lines.join(QLatin1Char('\n')));
  return data;
}

constexpr Qt::DropActions kFileManagerActions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// The drag enters the widget and moves over it; true when it was taken.
inline bool DragOver(QWidget* target, const QMimeData& data,
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
inline DropOutcome Drop(QWidget* target, const QMimeData& data,
                        Qt::DropActions actions = kFileManagerActions) {
  QDropEvent drop(QPointF(target->rect().center()), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return {drop.isAccepted(), drop.dropAction()};
}

}  // namespace sqp::qt::testing
