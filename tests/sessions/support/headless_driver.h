#pragma once

#include <memory>

#include "support/session_runner.h"

namespace sqp::sessions {

// The core driven headless, as the tests of the wizard drive it: every key
// press and click is one event through the application's dispatch point.
std::unique_ptr<WizardDriver> MakeHeadlessDriver();

}  // namespace sqp::sessions
