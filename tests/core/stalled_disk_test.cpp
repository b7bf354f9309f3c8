// A disk that does not answer in time: the page waits on "Checking...", and
// only the answers of a field's newest wish land.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <map>
#include <optional>
#include <sstream>

#include "sqpmain/check_scheduler.h"
#include "sqpmain/thread_check_runner.h"
#include "support/held_disk.h"
#include "support/posted_callbacks.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

struct Scenario {
  const char* name;
  int page;           // where the steps start, and whose rows are read
  const char* steps;  // played by the loop below
  int active;         // the page at the end
  const char* rows;   // W writeable, M missing, F found, C checking; page 1 adds the edition
  bool flag;
  bool next;
  bool box;  // the failed size probe's report
  int runs;
};

TEST(StalledDisk, OnlyTheNewestWishLandsAndNothingPilesUp) {
  const std::vector<Scenario> scenarios = {
      {"answer in time", 0, "put:UO", 0, "WWW", true, true, false, 1},
      {"late", 0, "stall put:UO", 0, "CCC", false, false, false, 1},
      {"late, then answered", 0, "stall put:UO release:0", 0, "WWW", true, true, false, 1},
      {"late after the text changed, the newer answering first", 0,
       "stall put:UO put:nowhere release:1 release:0", 0, "MMM", false, false, false, 2},
      {"a hung folder typed over with one that answers", 0,
       "stall put:nowhere answer put:UO release:0", 0, "WWW", true, true, false, 2},
      {"late after Test again", 0, "stall put:UO again release:1 move:UO release:0", 0, "WWW", true,
       true, false, 2},
      {"more stalls than the bound", 0, "stall hung put:UO answer release:0", 0, "WWW", true, true,
       false, kMaxBlockedPasses + 1},
      {"late failure of the size probe", 1, "stall put:socket release:0", 1, "FFFP", true, false,
       true, 1},
      {"late answer for a page already left", 0, "stall put:nowhere answer put:UO next release:0",
       1, "WWW", true, false, false, 2},
      {"close while pending", 0, "stall put:UO put:nowhere close release:1", 0, "CCC", false, false,
       false, 2},
      {"late answer once the window is gone", 0, "stall put:UO gone release:0", 0, "", false, false,
       false, 1},
  };
  const std::map<char, LabelLook> looks = {{'W', Green("Found and writeable!")},
                                           {'M', Red("Not found!")},
                                           {'F', Green("Found!")},
                                           {'C', {"Checking...", std::nullopt}},
                                           {'P', {"Path not correct!", std::nullopt}}};
  for (const Scenario& scenario : scenarios) {
    SCOPED_TRACE(scenario.name);
    TempTree tree;
    MakeMapFiles(tree, "UO");
    tree.File("socket/StaIdx0.mul");
    tree.File("socket/Map0.mul");
    const UnmeasurableFile statics(tree, "socket/Statics0.mul");
    HeldDisk disk;
    std::optional<WizardSession> run(std::in_place,
                                     std::vector<std::string>{tree.File("north.sq2")}, disk);
    TSQPMainForm& form = run->Form();
    if (scenario.page == 1) {
      run->ReplaceText(*form.UOClientPathEdit, tree.Path("UO"));
      run->Click(*form.NextButton);
    }
    disk.runs = 0;
    std::istringstream steps(scenario.steps);
    for (std::string step; steps >> step;) {
      const std::string arg = step.substr(step.find(':') + 1);
      if (step == "stall" || step == "answer") disk.stalled = step == "stall";
      if (step.starts_with("put:")) run->ReplaceText(*run->VisibleEdit(), tree.Path(arg));
      if (step == "hung") {
        for (int i = 0; i < kMaxBlockedPasses; ++i) {
          run->ReplaceText(*run->VisibleEdit(), tree.Path("hung" + std::to_string(i)));
        }
      }
      if (step == "again") run->Click(*form.UOClientTestButton);
      if (step == "next") run->Click(*form.NextButton);
      if (step.starts_with("move:")) std::filesystem::rename(tree.Path(arg), tree.Path("moved"));
      if (step == "close") run->App().CloseMainForm();
      if (step == "gone") run.reset();
      if (step.starts_with("release:")) disk.Release(std::stoul(arg));
    }
    EXPECT_EQ(disk.runs, scenario.runs);
    if (!run) continue;
    std::vector<LabelLook> rows = scenario.page == 0 ? ClientResults(form) : CDResults(form);
    if (scenario.page == 1) rows.push_back(Look(*form.UOCDTypeResultLabel));
    std::vector<LabelLook> expected;
    for (const char* look = scenario.rows; *look != '\0'; ++look)
      expected.push_back(looks.at(*look));
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(scenario.page == 0 ? run->Unit().UOClientFilesOk : run->Unit().UOCDFilesOk,
              scenario.flag);
    EXPECT_EQ(run->ActivePage(), scenario.active);
    EXPECT_EQ(run->NextEnabled(), scenario.next);
    EXPECT_EQ(run->View().boxes, scenario.box
                                     ? std::vector<ShownBox>{ReporterBox(statics.ReportText())}
                                     : std::vector<ShownBox>{});
  }
}

TEST(StalledDisk, TheFolderFieldsAskItWithoutWaiting) {
  TempTree tree;
  MakeMapFiles(tree, "UO");
  tree.Folder("UO/sub");
  const std::string folder = tree.Path("UO");
  for (const bool stalled : {false, true}) {
    SCOPED_TRACE(stalled ? "stalled" : "answering");
    HeldDisk disk;
    WizardSession run({tree.File("north.sq2")}, disk);
    FolderField& field = *run.Form().FolderFieldOf(run.Form().UOClientPathEdit);
    run.ReplaceText(*run.Form().UOClientPathEdit, folder);
    disk.stalled = stalled;
    const auto unless_stalled = [&](auto answer) {
      return stalled ? std::nullopt : std::optional(answer);
    };
    EXPECT_EQ(field.PickerStart(), unless_stalled(folder));
    EXPECT_EQ(field.NamesFolderInTime(folder), !stalled);
    EXPECT_EQ(field.EntriesInTime(folder + "/"),
              unless_stalled(std::vector<std::string>{folder + "/sub"}));
    EXPECT_EQ(field.FolderForDrop({folder + "/Map0.mul"}, [](const std::string&) { return false; }),
              unless_stalled(folder));
    EXPECT_EQ(run.Form().UOClientPathEdit->Text(), folder);
  }
}

// Real workers: a pass that does not answer in time lands through the
// window's post once it does, and a question beyond the workers is refused.
TEST(StalledDisk, WorkersLandLateAnswersThroughTheWindowsPost) {
  PostedCallbacks window;
  ThreadCheckRunner runner(window.Window(), 1, ThreadCheckRunner::WhenBusy::kRefuseLate);
  int asked = 0;
  int landed = 0;
  EXPECT_TRUE(runner.Run([&] { ++asked; }, std::chrono::hours(1), [&] { ++landed; }));
  for (const bool closed : {false, true}) {
    std::promise<void> disk;
    const std::shared_future<void> answers = disk.get_future().share();
    EXPECT_FALSE(runner.Run([answers, &asked] { answers.wait(), ++asked; },
                            std::chrono::milliseconds(1), [&] { ++landed; }));
    EXPECT_FALSE(runner.Run([&] { ++asked; }, std::chrono::hours(1), [&] { ++landed; }));
    disk.set_value();
    const std::function<void()> landing = window.TakeNext();
    // Nothing posted runs once the window has gone.
    if (closed) window.Window()->Close();
    landing();
  }
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(landed, 1);
}

}  // namespace
}  // namespace sqp::testing
