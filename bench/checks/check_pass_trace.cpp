// Runs one check many times on one folder, for strace -c and callgrind:
//   check_pass_trace client|cd FOLDER [PASSES]
// Start-up runs each check once more; with enough passes that is noise.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/wizard_session.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s client|cd FOLDER [PASSES]\n", argv[0]);
    return 2;
  }
  const std::string check = argv[1];
  const std::string folder = argv[2];
  const long passes = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 1000;
  sqp::testing::WizardSession wizard({"/dev/null", folder, folder});
  sqp::widgets::Edit& field =
      check == "cd" ? *wizard.Form().UOCDPathEdit : *wizard.Form().UOClientPathEdit;
  for (long i = 0; i < passes; ++i) wizard.ReplaceText(field, folder);
  std::printf("client %s, cd %s\n", wizard.Unit().UOClientFilesOk ? "ok" : "not ok",
              wizard.Unit().UOCDFilesOk ? "ok" : "not ok");
  return 0;
}
