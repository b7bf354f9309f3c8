#pragma once

#include <vector>

#include "support/hostile_case.h"

namespace sqp::testing {

// The hostile inputs with the outcome each must give, for any runner of the
// program: folder texts and command lines that any user can pass.
std::vector<HostileCase> HostileInputCases();

// Inputs whose outcome holds only for an ordinary user: root passes every
// permission check.
std::vector<HostileCase> UnprivilegedHostileInputCases();

}  // namespace sqp::testing
