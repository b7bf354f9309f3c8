// Hostile inputs that only an ordinary user meets: root is let through every
// permission check. CTest runs this binary under an unprivileged user.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/hostile_case.h"
#include "support/hostile_inputs.h"

namespace sqp::testing {
namespace {
class HostileUnprivileged : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileUnprivileged, NeitherCrashNorHangNorWrite) { ExpectHostileCaseHolds(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Table, HostileUnprivileged,
                         ::testing::ValuesIn(UnprivilegedHostileInputCases()), HostileCaseTestName);

}  // namespace
}  // namespace sqp::testing
