// The program's own entry, as src/views/qt/main.cpp runs it, ending at the
// first expose of its window: what the user waits for at start-up.
#include <QApplication>
#include <string>
#include <vector>

#include "cmdline/windows_command_line.h"
#include "first_expose.h"
#include "run_sqpatch.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments = sqp::ArgumentsFromArgv(argc, argv);
  QApplication application(argc, argv);
  sqp::bench::FirstExposeQuit first_expose;
  application.installEventFilter(&first_expose);
  return sqp::qt::RunSQPatch(std::move(arguments));
}
