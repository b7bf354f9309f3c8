#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sqp::sessions {

// Everything a user can see of the wizard at one moment, as the model
// predicts it and as a driver reads it off a running program.
struct ResultLook {
  std::string text;
  std::optional<std::uint32_t> color;  // none: the parent's colour
  bool operator==(const ResultLook&) const = default;
};

struct BoxLook {
  std::string text;
  std::string caption;
  bool stop_icon = false;
  bool waited = false;  // false: it closed at once, a quit request being pending
  bool operator==(const BoxLook&) const = default;
};

struct EditLook {
  std::string text;
  std::size_t selection_start = 0;
  std::size_t selection_length = 0;
  bool operator==(const EditLook&) const = default;
};

struct WizardLook {
  int page = 2;
  std::string action;
  bool next_enabled = false;
  bool finish_enabled = false;
  std::string focus;              // the focused control's name, "(none)" without one
  std::array<EditLook, 2> edits;  // client folder, CD folder
  std::array<ResultLook, 3> client;
  std::array<ResultLook, 3> cd;
  ResultLook cd_type;
  std::vector<BoxLook> boxes;  // every message box since the start
  int quit_requests = 0;
  int exit_status = 0;  // what the process would end with
  bool operator==(const WizardLook&) const = default;
};

inline constexpr std::uint32_t kLookGreen = 0x008000;
inline constexpr std::uint32_t kLookRed = 0x0000FF;

// One line per field that differs; empty when the two agree.
// `text` in double quotes, with control characters, quotes and backslashes
// written as \xNN, so that a failing session can be read and typed again.
std::string Quoted(const std::string& text);

std::string DescribeDifferences(const WizardLook& expected, const WizardLook& actual);
std::string Describe(const WizardLook& look);

}  // namespace sqp::sessions
