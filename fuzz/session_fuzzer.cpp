// Whole user sessions decoded from the input: the tree, the command line and
// the actions (the disk stalling and answering again among them) come from
// its bytes, and the headless program, on the tests' held disk, must follow
// the model of the wizard after every key press, click and late answer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/headless_driver.h"
#include "support/session_generator.h"
#include "support/session_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sqp::sessions;
  ByteChoices choices(data, size);
  const Session session = MakeSession(choices);
  if (RunSession(session, MakeHeadlessDriver).passed) return 0;
  const Session shortest = ShrinkSession(session, MakeHeadlessDriver);
  const SessionOutcome outcome = RunSession(shortest, MakeHeadlessDriver);
  std::fprintf(stderr, "the shortest failing session:\n%s%s", Describe(shortest).c_str(),
               outcome.failure.c_str());
  std::abort();
}
