#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "qt_application_view.h"
#include "qt_wizard_window.h"
#include "sqpatch/sqpatch_program.h"
#include "support/temp_tree.h"
#include "widgets/label.h"

namespace sqp::qt::testing {

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
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }

  QtApplicationView view;
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

}  // namespace sqp::qt::testing
