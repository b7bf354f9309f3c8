#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "sqpmain/check_runner.h"

namespace sqp::testing {

// A disk the test stalls and lets answer: passes answer at once until the
// disk stalls; then each is held until the test releases it, asks the disk
// then and lands.
class HeldDisk : public CheckRunner {
 public:
  bool Run(std::function<void()> pass, std::chrono::milliseconds /*wait*/,
           std::function<void()> landed) override {
    ++runs;
    if (!stalled) pass();
    if (stalled) held.push_back({std::move(pass), std::move(landed)});
    return !stalled;
  }
  void Release(std::size_t index) {
    const auto [pass, landed] = held.at(index);
    held.erase(held.begin() + static_cast<std::ptrdiff_t>(index));
    pass();
    landed();
  }

  bool stalled = false;
  int runs = 0;
  std::vector<std::pair<std::function<void()>, std::function<void()>>> held;
};

}  // namespace sqp::testing
