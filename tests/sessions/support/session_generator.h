#pragma once

#include <cstddef>

#include "support/choices.h"
#include "support/session.h"

namespace sqp::sessions {

// A random session: a tree of client and CD folders (files present, missing,
// read-only, in other letter cases, folders named like the files, sizes of
// the edition table and one byte off, now and then a FIFO or a socket), a
// command line of 0 to 4 arguments, and up to `max_actions` actions.
struct SessionLimits {
  std::size_t max_actions = 300;
  // Undo is the native edit's own: one level that a second undo takes back
  // on Windows, a history in Qt's line edit.
  bool undo = true;
  // The disk stalls and answers again (a driver that can hold the passes).
  bool stalls = true;
};
Session MakeSession(Choices& choices, const SessionLimits& limits = {});

}  // namespace sqp::sessions
