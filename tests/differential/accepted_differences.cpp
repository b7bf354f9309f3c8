#include "accepted_differences.h"

namespace sqp::differential {

std::string_view ReasonText(Reason reason) {
  switch (reason) {
    case Reason::kOwnerWriteBit:
      return "read-only is the owner's write bit; Wine marks a file read-only only when no write "
             "bit at all is set";
    case Reason::kAsciiCaseFolding:
      return "letter case folds for ASCII only";
    case Reason::kNoPathLengthLimit:
      return "no 259-character limit on Linux";
    case Reason::kOutsideCodePage:
      return "a name outside the code page, which the Win32 probes cannot spell";
    case Reason::kErrnoPassedThrough:
      return "errno passed through above the code table";
    case Reason::kWineSpecialFiles:
      return "Wine's limit: FIFOs and sockets have no attributes";
    case Reason::kWineDeviceNames:
      return "Wine's limit: DOS device names";
    case Reason::kWineShortNames:
      return "Wine's limit: 8.3 short names";
    case Reason::kWineDirectoryOrder:
      return "Wine resolves a case variant in directory order outside FindFirstFile's last "
             "component";
    case Reason::kExactNameWithTrailingDot:
      return "an exact name with trailing dots on disk wins on Linux; Wine strips them";
  }
  return "?";
}

bool DependsOnDirectoryOrder(Reason reason) { return reason == Reason::kWineDirectoryOrder; }

const std::vector<AcceptedDifference>& AcceptedDifferences() {
  static const std::vector<AcceptedDifference> accepted = {};
  return accepted;
}

}  // namespace sqp::differential
