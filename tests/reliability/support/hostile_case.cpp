#include "support/hostile_case.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <sstream>

#include "cmdline/windows_command_line.h"
#include "encoding/code_page.h"
#include "probes/existing_folder.h"
#include "support/bounded_run.h"
#include "support/tree_snapshot.h"
#include "support/tree_watch.h"
#include "support/wizard_session.h"

namespace sqp::testing {

namespace {

std::string RowLetters(const std::vector<const widgets::Label*>& labels) {
  std::string letters;
  for (const widgets::Label* label : labels) {
    const LabelLook look = Look(*label);
    if (look == Green("Found and writeable!")) {
      letters += 'W';
    } else if (look == Red("Found, but readonly!")) {
      letters += 'R';
    } else if (look == Green("Found!")) {
      letters += 'F';
    } else if (look == Red("Not found!")) {
      letters += 'N';
    } else if (look == LabelLook{label->Name(), std::nullopt}) {
      letters += 'L';
    } else {
      std::ostringstream odd;
      PrintTo(look, &odd);
      letters += "(" + odd.str() + ")";
    }
  }
  return letters;
}

std::string DescribeBox(const ShownBox& shown) {
  if (shown.box.icon == MessageBoxIcon::kStop && shown.box.caption == "Stonequill Patch" &&
      shown.waited) {
    return ReporterBoxText(shown.box.text);
  }
  if (shown.box.icon == MessageBoxIcon::kNone && shown.box.caption == "Error") {
    return ErrorBoxText(shown.box.text, shown.waited);
  }
  std::ostringstream odd;
  PrintTo(shown, &odd);
  return odd.str();
}

std::string DescribeParts(const std::string& client, const std::string& cd,
                          const std::string& edition, bool client_ok, bool cd_ok, bool next,
                          const std::vector<std::string>& boxes, int exit_status) {
  std::ostringstream out;
  out << "client " << client << (client_ok ? " (ok)" : " (not ok)") << ", CD " << cd
      << (cd_ok ? " (ok)" : " (not ok)") << ", CD type \"" << edition << "\", Next "
      << (next ? "enabled" : "disabled") << ", exit status " << exit_status << ", boxes:";
  for (const std::string& box : boxes) out << "\n  " << box;
  return out.str();
}

std::vector<std::string> ArgumentsFor(const HostileInput& input, const std::string& patch) {
  switch (input.via) {
    case Via::kStartupFolders:
      return {patch, input.text, input.text};
    case Via::kPastedFolders:
    case Via::kTypedFolders:
      return {patch};
    case Via::kWindowsLine:
      return ArgumentsFromWords(SplitWindowsCommandLine(input.text, IsCodePageLeadByte));
    case Via::kArgv: {
      std::vector<const char*> argv = {"sqpatch"};
      for (const std::string& argument : input.argv) argv.push_back(argument.c_str());
      argv.push_back(nullptr);
      return ArgumentsFromArgv(static_cast<int>(argv.size() - 1), argv.data());
    }
  }
  return {};
}

}  // namespace

std::string WalkTheWizardHeadless(const HostileInput& input, const std::string& patch) {
  WizardSession run(ArgumentsFor(input, patch));
  TSQPMainForm& form = run.Form();
  if (!run.App().QuitPending()) {
    if (input.via == Via::kPastedFolders) {
      run.Paste(*form.UOClientPathEdit, input.text);
      run.Paste(*form.UOCDPathEdit, input.text);
      // What the folder fields ask of the text for completion and the picker.
      CompletionBaseOf(input.text);
      FolderPickerStart(input.text);
    } else if (input.via == Via::kTypedFolders) {
      run.TypeOver(*form.UOClientPathEdit, input.text);
      run.TypeOver(*form.UOCDPathEdit, input.text);
    }
    run.Click(*form.UOClientTestButton);
  }
  std::vector<std::string> boxes;
  for (const ShownBox& shown : run.View().boxes) boxes.push_back(DescribeBox(shown));
  const std::string seen =
      DescribeParts(RowLetters({form.UOClientStaIdxResultLabel, form.UOClientStaticsResultLabel,
                                form.UOClientMapResultLabel}),
                    RowLetters({form.UOCDStaIdxResultLabel, form.UOCDStaticsResultLabel,
                                form.UOCDMapResultLabel}),
                    form.UOCDTypeResultLabel->Text(), run.Unit().UOClientFilesOk,
                    run.Unit().UOCDFilesOk, run.NextEnabled(), boxes, run.App().ExitCode());
  run.App().CloseMainForm();
  return seen;
}

std::string ErrorBoxText(const std::string& text, bool waited) {
  return "[Error] " + text + (waited ? " (waited)" : " (closed at once)");
}

std::string ReporterBoxText(const std::string& text) { return "[Stonequill Patch, stop] " + text; }

std::vector<std::string> UsageBoxes() {
  return {ErrorBoxText("Usage: sqpatch.exe sqdfile [UOClientPath UOCDPath]", true),
          ErrorBoxText(" does not exist!", false), ErrorBoxText(" is not a .sq2 file!", false)};
}

void PrintTo(const HostileCase& hostile, std::ostream* out) { *out << hostile.name; }

std::string HostileCaseTestName(const ::testing::TestParamInfo<HostileCase>& param) {
  std::string name = "Case" + std::to_string(param.index) + "_";
  for (const char c : param.param.name) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (name.back() != '_') {
      name += '_';
    }
  }
  if (name.back() == '_') name.pop_back();
  return name.substr(0, 80);
}

std::string Describe(const Outcome& outcome) {
  return DescribeParts(outcome.client, outcome.cd, outcome.edition, outcome.client == "WWW",
                       outcome.cd == "FFF", outcome.next, outcome.boxes, outcome.exit_status);
}

void ExpectHostileCaseHolds(const HostileCase& hostile, const WizardRunner& runner,
                            unsigned seconds) {
  TempTree tree;
  const std::string patch = tree.File("north.sq2");
  const std::string current_folder = tree.Folder("work/sub");
  const HostileInput input = hostile.make(tree);
  const TreeSnapshot before = SnapshotTree(tree.Root());
  TreeWatch watch(tree.Root());

  const BoundedRun run = RunBounded(
      [&] {
        if (chdir(current_folder.c_str()) != 0) return std::string("cannot enter work/sub");
        return runner(input, patch);
      },
      seconds);

  EXPECT_TRUE(run.completed) << run.how << "\n" << run.answer;
  Outcome expected = hostile.expected;
  for (std::string& box : expected.boxes) {
    for (std::size_t at; (at = box.find("{root}")) != std::string::npos;) {
      box.replace(at, 6, tree.Root());
    }
  }
  EXPECT_EQ(run.answer, Describe(expected));
  EXPECT_EQ(watch.TakeEvents(), std::vector<std::string>{});
  EXPECT_EQ(DescribeTreeChanges(before, SnapshotTree(tree.Root())), "");
}

}  // namespace sqp::testing
