#pragma once

#include <string>

namespace sqp {

// The module-level values of the wizard window's unit. One instance lives as
// long as the program; a fresh one is a fresh program state.
struct SQPMainUnit {
  // Argument 1 of the command line, set once at start-up.
  std::string PatchFilePath;
  // The last completed pass of the installed-client check.
  bool UOClientFilesOk = false;
  // The last pass of the original-files check.
  bool UOCDFilesOk = false;
};

}  // namespace sqp
