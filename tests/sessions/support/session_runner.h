#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/wizard_look.h"
#include "support/session.h"
#include "support/user_step.h"

namespace sqp::sessions {

// A running program as the user meets it: started with a command line, fed
// key presses and clicks, read off the screen.
class WizardDriver {
 public:
  virtual ~WizardDriver() = default;
  // Start-up with these arguments, then the window's first activation.
  virtual void Start(const std::vector<std::string>& arguments) = 0;
  virtual void Apply(const UserStep& step) = 0;
  virtual WizardLook Look() = 0;
  // The disk the checks ask: stalled, it holds each pass until released by
  // its place among those held. A driver without one refuses.
  virtual void SetStalled(bool stalled);
  virtual std::size_t Held();
  virtual void Release(std::size_t index);
};
using DriverFactory = std::function<std::unique_ptr<WizardDriver>()>;

struct SessionOutcome {
  bool passed = true;
  std::size_t actions = 0;        // actions run
  std::size_t steps = 0;          // key presses and clicks compared with the model
  std::size_t failed_action = 0;  // counted from 1; 0: start-up or the tree check
  std::string failure;
  // How far the session went, so that a run can tell whether its sessions
  // reach what they are meant to reach.
  int last_page = 0;
  std::size_t error_boxes = 0;    // boxes of the error reporter
  std::size_t startup_boxes = 0;  // start-up errors
  std::size_t landings = 0;       // held passes released
};

// Makes the session's tree in a fresh temporary folder, runs the session
// from that folder as the current one, and compares the program with the
// model after start-up and after every key press and click. At the end the
// tree must hold exactly what the test itself made of it.
SessionOutcome RunSession(const Session& session, const DriverFactory& make_driver);

// The failing session cut down to the fewest actions that still fail.
Session ShrinkSession(const Session& failing, const DriverFactory& make_driver);

}  // namespace sqp::sessions
