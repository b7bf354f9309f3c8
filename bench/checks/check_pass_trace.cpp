// Runs one check many times on one folder, for strace -c and callgrind:
//   check_pass_trace client|cd FOLDER [PASSES]
// Start-up runs each check once more; with enough passes that is noise.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "headless_wizard.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s client|cd FOLDER [PASSES]\n", argv[0]);
    return 2;
  }
  const std::string check = argv[1];
  const std::string folder = argv[2];
  const long passes = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 1000;
  sqp::bench::HeadlessWizard wizard("/dev/null", folder, folder);
  for (long i = 0; i < passes; ++i) {
    if (check == "cd") {
      wizard.CDPass();
    } else {
      wizard.ClientPass();
    }
  }
  std::printf("client %s, cd %s\n", wizard.ClientFilesOk() ? "ok" : "not ok",
              wizard.CDFilesOk() ? "ok" : "not ok");
  return 0;
}
