#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "probe_answers.h"

namespace sqp::differential {

// Why the Linux probes may answer otherwise than Wine's kernel32.
enum class Reason {
  kOwnerWriteBit,
  kAsciiCaseFolding,
  kNoPathLengthLimit,
  kOutsideCodePage,
  kErrnoPassedThrough,
  kWineSpecialFiles,
  kWineDeviceNames,
  kWineShortNames,
  kWineBrokenLinkOnTheWay,
  kWineDirectoryOrder,
  kNameWindowsCannotHold,
};

std::string_view ReasonText(Reason reason);

// Whether Wine's answer depends on the order the file system lists a folder
// in: such a difference may vanish on another file system, so an entry that
// no longer differs is only noted.
bool DependsOnDirectoryOrder(Reason reason);

struct AcceptedDifference {
  std::string query;
  std::optional<Probe> probe;  // none: all three
  Reason reason;
};

const std::vector<AcceptedDifference>& AcceptedDifferences();

}  // namespace sqp::differential
