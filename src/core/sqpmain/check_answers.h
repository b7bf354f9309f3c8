#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sqp {

// The files both checks look for, in the order their rows show them.
inline constexpr std::array<const char*, 3> kCheckedFiles = {"StaIdx0.mul", "Statics0.mul",
                                                             "Map0.mul"};
inline constexpr std::size_t kStaticsRow = 1;

// What the file system said about one client folder text.
struct ClientAnswers {
  struct File {
    bool present = false;
    bool writeable = false;
  };
  std::array<File, 3> files;
};

// What the file system said about one CD folder text. The size of
// "Statics0.mul" is asked only when all three files are present; a size
// that could not be read leaves its I/O error code instead.
struct CDAnswers {
  std::array<bool, 3> present = {};
  std::uint32_t statics_size = 0;
  int size_failure = 0;
  bool AllPresent() const { return present[0] && present[1] && present[2]; }
};

// The probes of one pass, with no part in the window: safe on any thread.
ClientAnswers AskClientFolder(const std::string& folder_text);
CDAnswers AskCDFolder(const std::string& folder_text);

}  // namespace sqp
