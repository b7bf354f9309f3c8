#pragma once

#include <functional>
#include <string>

namespace sqp::testing {

// How a body run in a child process ended.
struct BoundedRun {
  bool completed = false;  // exited normally after writing its whole answer
  std::string how;         // otherwise: the signal or status that ended it
  std::string answer;      // what the body returned
};

// Runs `body` in a forked child that the alarm ends after `seconds`, so a
// crash or a hang shows as a failed run instead of ending the test binary.
BoundedRun RunBounded(const std::function<std::string()>& body, unsigned seconds);

}  // namespace sqp::testing
