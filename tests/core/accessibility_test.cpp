// What a screen reader reads in the wizard, and which changes it is told of.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "support/temp_tree.h"
#include "support/wizard_session.h"
#include "widgets/accessible_name.h"

namespace sqp::testing {
namespace {

using widgets::AccessibleName;
using widgets::Change;
using widgets::Control;
using widgets::Form;

// How often a view is told that a control's spoken name changed, by control,
// and the announcements.
class NameChanges : public widgets::ControlObserver {
 public:
  void ControlChanged(Control& control, Change change) override {
    if (change == Change::kAccessibleName) ++names[control.Name()];
    if (change == Change::kAnnouncement) said.push_back(static_cast<Form&>(control).Announcement());
  }
  std::map<std::string, int> names;
  std::vector<std::string> said;
};

std::map<std::string, std::string> SpokenNames(const TSQPMainForm& form) {
  std::map<std::string, std::string> spoken;
  for (const Control* control : form.AllControls()) {
    spoken[control->Name()] = AccessibleName(*control);
  }
  return spoken;
}

TEST(Accessibility, EditsGoByTheirPathLabelsAndResultsReadAsRows) {
  TempTree tree;
  MakeMapFiles(tree, "UO");
  RemoveFile(tree.Path("UO/Statics0.mul"));
  MakeMapFiles(tree, "cd", 21971754);
  WizardSession run({tree.File("north.sq2"), tree.Path("UO"), tree.Path("cd")});
  const std::map<std::string, std::string> spoken = SpokenNames(run.Form());
  const std::map<std::string, std::string> expected = {
      {"UOClientPathEdit", "The UO client is installed at: (i.e. C:\\UO)"},
      {"UOClientStaIdxResultLabel", "Staidx0.mul: Found and writeable!"},
      {"UOClientStaticsResultLabel", "Statics0.mul: Not found!"},
      {"UOClientMapResultLabel", "Map0.mul: Found and writeable!"},
      {"UOCDPathEdit", "The original UO files are at: (i.e. D:\\client)"},
      {"UOCDStaIdxResultLabel", "Staidx0.mul: Found!"},
      {"UOCDStaticsResultLabel", "Statics0.mul: Found!"},
      {"UOCDMapResultLabel", "Map0.mul: Found!"},
      {"UOCDTypeResultLabel", "CD type: The Second Age"},
      // Everything else goes by its own caption.
      {"ActionLabel", "Check current files"},
      {"PageControl", "Check current files"},
      {"UOClientResultsGroupBox", "Results for current path"},
      {"UOClientTestButton", "Test again"},
      {"NextButton", "Next"},
      {"FinishButton", "Finish"},
      {"CheckCDTabSheet", "Check for correct CD"},
      {"UOClientStaticsNameLabel", "Statics0.mul"},
  };
  for (const auto& [name, text] : expected) EXPECT_EQ(spoken.at(name), text) << name;
}

TEST(Accessibility, OnlyAKeyThatChangesAResultAnnouncesItsRowAndNextItsPage) {
  TempTree tree;
  MakeMapFiles(tree, "UO");
  RemoveFile(tree.Path("UO/Statics0.mul"));
  WizardSession run({tree.File("north.sq2")});
  NameChanges changes;
  run.Form().AddObserver(&changes);
  widgets::Edit& edit = *run.Form().UOClientPathEdit;
  const std::string folder = tree.Path("UO");
  run.FocusByMouse(edit);
  for (std::size_t typed = 1; typed <= folder.size(); ++typed) {
    changes.names.clear();
    run.Type(edit, folder.substr(typed - 1, 1));
    const std::map<std::string, int> expected =
        typed < folder.size() ? std::map<std::string, int>{}
                              : std::map<std::string, int>{{"UOClientStaIdxResultLabel", 1},
                                                           {"UOClientMapResultLabel", 1}};
    ASSERT_EQ(changes.names, expected) << "after typing " << folder.substr(0, typed);
  }
  changes.names.clear();
  MakeMapFiles(tree, "UO");
  run.Click(*run.Form().UOClientTestButton);
  EXPECT_EQ(changes.names, (std::map<std::string, int>{{"UOClientStaticsResultLabel", 1}}));
  // The next page is told by its caption, which also names the container.
  changes.names.clear();
  run.Click(*run.Form().NextButton);
  EXPECT_EQ(changes.names, (std::map<std::string, int>{{"ActionLabel", 1}, {"PageControl", 1}}));
  EXPECT_EQ(AccessibleName(*run.Form().ActionLabel), "Check for correct CD");
  EXPECT_EQ(AccessibleName(*run.Form().PageControl), "Check for correct CD");
  run.Form().RemoveObserver(&changes);
}

TEST(Accessibility, EachActAnnouncesTheRowsItChangedOnceInReadingOrder) {
  TempTree tree;
  MakeMapFiles(tree, "UO");
  RemoveFile(tree.Path("UO/Statics0.mul"));
  const std::string folder = tree.Path("UO");
  // Start-up changes rows before the window shows, and announces nothing.
  WizardSession run({tree.File("north.sq2"), folder, folder});
  EXPECT_EQ(run.Form().Announcement(), "");
  TSQPMainForm& form = run.Form();
  const std::pair<std::function<void()>, std::vector<std::string>> acts[] = {
      {[&] { run.Backspace(*form.UOClientPathEdit, 2); },
       {"Staidx0.mul: Not found! Map0.mul: Not found!"}},
      {[&] { run.Paste(*form.UOClientPathEdit, folder.substr(folder.size() - 2)); },
       {"Staidx0.mul: Found and writeable! Map0.mul: Found and writeable!"}},
      {[&] { MakeMapFiles(tree, "UO"), run.Click(*form.UOClientTestButton); },
       {"Statics0.mul: Found and writeable!"}},
      {[&] { run.Click(*form.UOClientTestButton), run.Click(*form.NextButton); }, {}},
      {[&] { run.Drop(*form.UOCDPathEdit, {folder}); }, {"Statics0.mul: Found! CD type: Unknown"}},
  };
  for (const auto& [act, said] : acts) {
    NameChanges changes;
    form.AddObserver(&changes);
    act();
    form.RemoveObserver(&changes);
    EXPECT_EQ(changes.said, said);
  }
}

}  // namespace
}  // namespace sqp::testing
