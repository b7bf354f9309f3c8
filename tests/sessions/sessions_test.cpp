// Random user sessions through the headless wizard, each compared with the
// model after every key press and click.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "support/headless_driver.h"
#include "support/session_generator.h"
#include "support/session_runner.h"

namespace sqp::sessions {
namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : fallback;
}

// SQP_SESSIONS=N runs N sessions instead of the few of a normal test run,
// from seed SQP_SESSIONS_FIRST_SEED on.
TEST(RandomSessions, ProgramFollowsTheModel) {
  const std::uint64_t sessions = FromEnvironment("SQP_SESSIONS", 120);
  const std::uint64_t first_seed = FromEnvironment("SQP_SESSIONS_FIRST_SEED", 1);
  std::size_t actions = 0;
  std::size_t steps = 0;
  std::size_t last_pages[3] = {};
  std::size_t error_boxes = 0;
  std::size_t startup_boxes = 0;
  std::size_t landings = 0;
  const auto started = std::chrono::steady_clock::now();
  auto figures = [&](std::uint64_t done) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::cout << done << " sessions, " << actions << " actions, " << steps
              << " key presses and clicks in " << elapsed.count()
              << " s; ended on pages 0/1/2: " << last_pages[0] << "/" << last_pages[1] << "/"
              << last_pages[2] << "; " << startup_boxes << " start-up boxes, " << error_boxes
              << " error reports, " << landings << " held passes landed" << std::endl;
  };
  for (std::uint64_t seed = first_seed; seed < first_seed + sessions; ++seed) {
    // A long run tells how far it has come.
    if (seed > first_seed && (seed - first_seed) % 5000 == 0) figures(seed - first_seed);
    SeededChoices choices(seed);
    const Session session = MakeSession(choices);
    const SessionOutcome outcome = RunSession(session, MakeHeadlessDriver);
    actions += outcome.actions;
    steps += outcome.steps;
    ++last_pages[outcome.last_page];
    error_boxes += outcome.error_boxes;
    startup_boxes += outcome.startup_boxes;
    landings += outcome.landings;
    if (!outcome.passed) {
      const Session shortest = ShrinkSession(session, MakeHeadlessDriver);
      const SessionOutcome again = RunSession(shortest, MakeHeadlessDriver);
      ADD_FAILURE() << "session seed " << seed << " fails; the shortest failing session:\n"
                    << Describe(shortest) << again.failure;
      return;
    }
  }
  figures(sessions);
  // Sessions that never leave page 0, never meet a failure or never stall
  // would prove little; a hundred of them reach every page, both kinds of
  // box and late answers.
  if (sessions >= 100) {
    EXPECT_GT(last_pages[1], 0u);
    EXPECT_GT(last_pages[2], 0u);
    EXPECT_GT(startup_boxes, 0u);
    EXPECT_GT(error_boxes, 0u);
    EXPECT_GT(landings, 0u);
  }
}

}  // namespace
}  // namespace sqp::sessions
