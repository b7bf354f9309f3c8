// Hostile folder texts and command lines, each with the answer the probes
// and checks give for it. Every case runs in a child bounded in time, and
// the tree it runs on must come out untouched.
#include "support/hostile_inputs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/hostile_case.h"

namespace sqp::testing {
namespace {
class HostileInputs : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInputs, NeitherCrashNorHangNorWrite) { ExpectHostileCaseHolds(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Table, HostileInputs, ::testing::ValuesIn(HostileInputCases()),
                         HostileCaseTestName);

TEST(HostileInputTable, CoversAtLeastThirtyInputs) { EXPECT_GE(HostileInputCases().size(), 30u); }

}  // namespace
}  // namespace sqp::testing
