// sqpatch: checks a UO client installation before a map patch is applied.
#include <QApplication>
#include <string>
#include <vector>

#include "cmdline/windows_command_line.h"
#include "run_sqpatch.h"

int main(int argc, char** argv) {
  // Taken before Qt reads the command line, so that every word the user
  // gave is one of ours.
  std::vector<std::string> arguments = sqp::ArgumentsFromArgv(argc, argv);
  QApplication application(argc, argv);
  return sqp::qt::RunSQPatch(std::move(arguments));
}
