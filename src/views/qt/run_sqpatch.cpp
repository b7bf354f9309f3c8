#include "run_sqpatch.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#include "qt_application_view.h"
#include "qt_wizard_window.h"
#include "sqpatch/sqpatch_program.h"

namespace sqp::qt {

void SetUpApplication() {
  // The name the desktop shows for the program; window captions stay as set.
  QApplication::setApplicationName(kApplicationTitle);
  // The desktop entry the windows belong to (the Wayland app id; on X11 the
  // task bar matches WM_CLASS "sqpatch"), and the icon the package installs
  // for it, built in so that a build tree shows it too.
  QGuiApplication::setDesktopFileName(QStringLiteral("sqpatch"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/sqpatch.svg")));
  // The program ends on its quit request, not when its last window goes.
  QApplication::setQuitOnLastWindowClosed(false);
  // Qt's classic Windows look: the window is laid out for it, group box
  // captions sit on the frame, and it needs no images to draw.
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
    QApplication::setStyle(style);
}

int RunSQPatch(std::vector<std::string> arguments) {
  SetUpApplication();
  QtApplicationView view;
  SQPatchProgram program(view, std::move(arguments));
  program.AskOffWindowThread();
  QtWizardWindow window(program.App(), program.SQPMainForm());
  program.App().ShowMainForm();
  window.show();
  QApplication::exec();
  return program.ExitStatus();
}

}  // namespace sqp::qt
