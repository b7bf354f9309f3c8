#include "accepted_differences.h"

#include "differential_table.h"

namespace sqp::differential {

namespace {

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::vector<AcceptedDifference> MakeAccepted() {
  constexpr Probe kWriteable = Probe::kWriteable;
  constexpr Probe kSize = Probe::kSize;
  std::vector<AcceptedDifference> accepted = {
      // Group or others may write: Wine shows no read-only attribute.
      {"perm/group_w.mul", kWriteable, Reason::kOwnerWriteBit},
      {"PERM/GROUP_W.MUL", kWriteable, Reason::kOwnerWriteBit},
      {"perm/other_w.mul", kWriteable, Reason::kOwnerWriteBit},
      {"PERM/OTHER_W.MUL", kWriteable, Reason::kOwnerWriteBit},
      // Wine folds "É" and "Ä" too.
      {"intl/É.mul", {}, Reason::kAsciiCaseFolding},
      {"intl/ärger/f.mul", {}, Reason::kAsciiCaseFolding},
      {"case/ärger.mul", {}, Reason::kAsciiCaseFolding},
      // Several variants on disk, none as typed: Wine's attribute and size
      // probes, and its folder lookups, take the first in directory order,
      // the Linux probes the first in name order. "É.mul" and "é.mul" are
      // one name to Wine; on Linux each matches only itself.
      {"case/MaP0.mul", kSize, Reason::kWineDirectoryOrder},
      {"case/mAP0.MUL", kSize, Reason::kWineDirectoryOrder},
      {"case/DaTa/x.mul", {}, Reason::kWineDirectoryOrder},
      {"case/dATA/y.mul", {}, Reason::kWineDirectoryOrder},
      {"named/Both", kSize, Reason::kWineDirectoryOrder},
      {"named/bOTH/x", kSize, Reason::kWineDirectoryOrder},
      {"case/É.MUL", kSize, Reason::kWineDirectoryOrder},
      {"case/é.MUL", kSize, Reason::kWineDirectoryOrder},
      {"CASE/É.MUL", kSize, Reason::kWineDirectoryOrder},
      {"CASE/é.MUL", kSize, Reason::kWineDirectoryOrder},
      {"intl/日本.mul", {}, Reason::kOutsideCodePage},
      {"intl/日本.MUL", {}, Reason::kOutsideCodePage},
      {"INTL/日本.MUL", {}, Reason::kOutsideCodePage},
      // ELOOP (40) and ENXIO (6); Wine answers 1921 and 433.
      {"links/loop", kSize, Reason::kErrnoPassedThrough},
      {"LINKS/LOOP", kSize, Reason::kErrnoPassedThrough},
      {"special/sock", kSize, Reason::kErrnoPassedThrough},
      {"SPECIAL/SOCK", kSize, Reason::kErrnoPassedThrough},
      {"links/loop/x", kSize, Reason::kWineBrokenLinkOnTheWay},
      {"links/dangling/x", kSize, Reason::kWineBrokenLinkOnTheWay},
      {"special/fifo", kWriteable, Reason::kWineSpecialFiles},
      {"SPECIAL/FIFO", kWriteable, Reason::kWineSpecialFiles},
      {"links/tofifo", kWriteable, Reason::kWineSpecialFiles},
      {"LINKS/TOFIFO", kWriteable, Reason::kWineSpecialFiles},
      {"special/sock", kWriteable, Reason::kWineSpecialFiles},
      {"SPECIAL/SOCK", kWriteable, Reason::kWineSpecialFiles},
      // Wine opens its own devices for these, whatever the folder holds.
      {"dev/con", kSize, Reason::kWineDeviceNames},
      {"DEV/CON", kSize, Reason::kWineDeviceNames},
      {"dev/CON", kSize, Reason::kWineDeviceNames},
      {"dev/con.mul", {}, Reason::kWineDeviceNames},
      {"dev/nul.mul", kSize, Reason::kWineDeviceNames},
      {"DEV/NUL.MUL", kSize, Reason::kWineDeviceNames},
      {"dev/NUL", {}, Reason::kWineDeviceNames},
      {"dev/nul", {}, Reason::kWineDeviceNames},
      {"dev/aux", kSize, Reason::kWineDeviceNames},
      {"DEV/AUX", kSize, Reason::kWineDeviceNames},
      {"dev/prn", Probe::kPresent, Reason::kWineDeviceNames},
      {"dev/prn", kWriteable, Reason::kWineDeviceNames},
      {"dev/com1", {}, Reason::kWineDeviceNames},
      {"dev/com1.txt", kSize, Reason::kWineDeviceNames},
      {"DEV/COM1.TXT", kSize, Reason::kWineDeviceNames},
      {"dev/lpt1.mul", Probe::kPresent, Reason::kWineDeviceNames},
      {"dev/lpt1.mul", kWriteable, Reason::kWineDeviceNames},
      {"short/LONG~KKV.MUL", {}, Reason::kWineShortNames},
      {"short/long~kkv.mul", {}, Reason::kWineShortNames},
      {"short/A_LO~DLY/f.mul", {}, Reason::kWineShortNames},
      // Linux names that Windows cannot hold.
      {"dots/real./f", {}, Reason::kNameWindowsCannotHold},
      {"dots/REAL./F", {}, Reason::kNameWindowsCannotHold},
      {"DOTS/REAL./F", {}, Reason::kNameWindowsCannotHold},
      {"dots/tail.", {}, Reason::kNameWindowsCannotHold},
      {"DOTS/TAIL.", {}, Reason::kNameWindowsCannotHold},
      {"pat/a?.mul", kWriteable, Reason::kNameWindowsCannotHold},
      {"pat/a?.mul", kSize, Reason::kNameWindowsCannotHold},
      {"pat/A?.MUL", kWriteable, Reason::kNameWindowsCannotHold},
      {"pat/A?.MUL", kSize, Reason::kNameWindowsCannotHold},
      {"PAT/A?.MUL", kWriteable, Reason::kNameWindowsCannotHold},
      {"PAT/A?.MUL", kSize, Reason::kNameWindowsCannotHold},
      {"pat/star*.mul", kWriteable, Reason::kNameWindowsCannotHold},
      {"pat/star*.mul", kSize, Reason::kNameWindowsCannotHold},
      {"PAT/STAR*.MUL", kWriteable, Reason::kNameWindowsCannotHold},
      {"PAT/STAR*.MUL", kSize, Reason::kNameWindowsCannotHold},
  };
  for (const std::string& path : {DeepFilePath(), LongestNamePath()}) {
    accepted.push_back({path, {}, Reason::kNoPathLengthLimit});
    accepted.push_back({AsciiUpper(path), {}, Reason::kNoPathLengthLimit});
  }
  return accepted;
}

}  // namespace

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
    case Reason::kWineBrokenLinkOnTheWay:
      return "Wine's limit: a dangling or looping symbolic link before the last component is "
             "taken as a folder (code 2) or answered with its own code 1921; Linux says the path "
             "is not found";
    case Reason::kWineDirectoryOrder:
      return "Wine resolves a case variant in directory order outside FindFirstFile's last "
             "component";
    case Reason::kNameWindowsCannotHold:
      return "a name on disk that Windows cannot hold (trailing dots, \"*\" or \"?\") is found "
             "on Linux; Wine strips the dots from the text first, and refuses the patterns to its "
             "attribute and size calls (code 123)";
  }
  return "?";
}

bool DependsOnDirectoryOrder(Reason reason) { return reason == Reason::kWineDirectoryOrder; }

const std::vector<AcceptedDifference>& AcceptedDifferences() {
  static const std::vector<AcceptedDifference> accepted = MakeAccepted();
  return accepted;
}

}  // namespace sqp::differential
