#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support/temp_tree.h"

namespace sqp::testing {

// How a hostile input reaches the program.
enum class Via {
  kStartupFolders,  // arguments: the patch file, then the text as both folders
  kPastedFolders,   // started with the patch file, the text pasted into both folder fields
  kTypedFolders,    // started with the patch file, the text typed into both, key by key
  kWindowsLine,     // the text is the raw Windows command line, program name first
  kArgv,            // `argv` is what the platform hands over after the program name
};

struct HostileInput {
  Via via = Via::kStartupFolders;
  std::string text;
  std::vector<std::string> argv;
};

// What the user sees once the run has settled. Result labels are written as
// one letter each, in the order StaIdx0, Statics0, Map0:
//   W "Found and writeable!" on green    R "Found, but readonly!" on red
//   F "Found!" on green                  N "Not found!" on red
//   L the layout's own text (no check has run)
struct Outcome {
  std::string client = "NNN";
  std::string cd = "NNN";
  std::string edition = "Path not correct!";
  bool next = false;
  // See the box helpers below; "{root}" in a text stands for the tree's root.
  std::vector<std::string> boxes;
  int exit_status = 0;
};

// The boxes as Outcome lists them.
std::string ErrorBoxText(const std::string& text, bool waited);
std::string ReporterBoxText(const std::string& text);
// The usage box and the two boxes that then close at once for an empty name.
std::vector<std::string> UsageBoxes();

struct HostileCase {
  std::string name;
  std::function<HostileInput(const TempTree& tree)> make;
  Outcome expected;
};
void PrintTo(const HostileCase& hostile, std::ostream* out);
// The case's index and the words of its name, as a test name.
std::string HostileCaseTestName(const ::testing::TestParamInfo<HostileCase>& param);

// The outcome as the runs report it; a check's flag is set exactly when all
// three of its rows passed.
std::string Describe(const Outcome& outcome);

// Runs the program on an input as a user would: start-up, the user's input
// and "Test again" unless start-up failed, then close. Returns what the user
// saw, as Describe() writes an Outcome. Runs in the current folder.
using WizardRunner =
    std::function<std::string(const HostileInput& input, const std::string& patch_file)>;

// The runner that drives the core headless, through the application's
// dispatch point, key by key.
std::string WalkTheWizardHeadless(const HostileInput& input, const std::string& patch_file);

// Lays out a fresh tree with the patch file "north.sq2" and the folders
// "work/sub" (the current folder of the run), builds the input, then runs
// `runner` on it in a child bounded by `seconds`. Expects it to end in time
// with the expected outcome, with not one write to the tree.
void ExpectHostileCaseHolds(const HostileCase& hostile,
                            const WizardRunner& runner = WalkTheWizardHeadless,
                            unsigned seconds = 20);

}  // namespace sqp::testing
