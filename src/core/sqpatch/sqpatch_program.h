#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "sqpmain/sqp_main_form.h"
#include "sqpmain/sqp_main_unit.h"
#include "sqpmain/thread_check_runner.h"

namespace sqp {

inline constexpr const char* kApplicationTitle = "Stonequill Patch";

// The program's entry as every front end runs it: the application under its
// title, with the wizard window SQPMainForm as its main form. The front end
// then shows the main form (which runs its start-up handler), runs its event
// loop until the quit request, and exits with ExitStatus().
class SQPatchProgram {
 public:
  SQPatchProgram(ApplicationView& view, std::vector<std::string> arguments);

  Application& App() { return application_; }
  TSQPMainForm& SQPMainForm() { return *form_; }
  const SQPMainUnit& Unit() const { return unit_; }
  // 1 when a start-up error ended the run, else 0.
  int ExitStatus() const { return application_.ExitCode(); }

  // From here on the window asks the file system from worker threads and
  // waits for an answer no longer than kCheckWait: a hung mount never
  // freezes it. Before showing the main form.
  void AskOffWindowThread();

 private:
  SQPMainUnit unit_;
  Application application_;
  std::unique_ptr<ThreadCheckRunner> passes_;
  std::unique_ptr<ThreadCheckRunner> questions_;
  std::unique_ptr<TSQPMainForm> form_;
};

}  // namespace sqp
