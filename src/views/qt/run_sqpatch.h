#pragma once

#include <string>
#include <vector>

namespace sqp::qt {

// The application's name, look and ending rule, as the program runs with.
// Needs a QApplication.
void SetUpApplication();

// The program's entry on Qt: the application titled "Stonequill Patch", the
// wizard window shown once its start-up handler has run, and the event loop
// until the quit request. Needs a QApplication; returns the exit status.
int RunSQPatch(std::vector<std::string> arguments);

}  // namespace sqp::qt
