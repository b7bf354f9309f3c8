// Runs one check many times on one folder, for strace -c and callgrind:
//   check_pass_trace [--on-window-thread] client|cd FOLDER [PASSES]
// The passes run on the program's worker threads, as both programs run
// them, or with the flag on the calling thread alone. Start-up runs each
// check once more; with enough passes that is noise.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/wizard_session.h"

int main(int argc, char** argv) {
  const bool on_window_thread = argc > 1 && std::string(argv[1]) == "--on-window-thread";
  if (on_window_thread) {
    --argc;
    ++argv;
  }
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s [--on-window-thread] client|cd FOLDER [PASSES]\n", argv[0]);
    return 2;
  }
  const std::string check = argv[1];
  const std::string folder = argv[2];
  const long passes = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 1000;
  std::optional<sqp::testing::WizardSession> session;
  if (on_window_thread) {
    session.emplace(std::vector<std::string>{"/dev/null", folder, folder});
  } else {
    session.emplace(std::vector<std::string>{"/dev/null", folder, folder},
                    sqp::testing::WizardSession::OnWorkerThreads{});
  }
  sqp::testing::WizardSession& wizard = *session;
  sqp::widgets::Edit& field =
      check == "cd" ? *wizard.Form().UOCDPathEdit : *wizard.Form().UOClientPathEdit;
  for (long i = 0; i < passes; ++i) wizard.ReplaceText(field, folder);
  std::printf("client %s, cd %s\n", wizard.Unit().UOClientFilesOk ? "ok" : "not ok",
              wizard.Unit().UOCDFilesOk ? "ok" : "not ok");
  return 0;
}
