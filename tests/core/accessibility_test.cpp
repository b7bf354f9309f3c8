// What a screen reader reads in the wizard, and which changes it is told of.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "support/temp_tree.h"
#include "support/wizard_session.h"
#include "widgets/accessible_name.h"

namespace sqp::testing {
namespace {

using widgets::AccessibleName;
using widgets::Change;
using widgets::Control;

// The controls whose spoken name changed, as a view is told of them.
class NameChanges : public widgets::ControlObserver {
 public:
  void ControlChanged(Control& control, Change change) override {
    if (change == Change::kAccessibleName) names.insert(control.Name());
  }
  std::set<std::string> names;
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
    const std::set<std::string> expected =
        typed < folder.size()
            ? std::set<std::string>{}
            : std::set<std::string>{"UOClientStaIdxResultLabel", "UOClientMapResultLabel"};
    ASSERT_EQ(changes.names, expected) << "after typing " << folder.substr(0, typed);
  }
  changes.names.clear();
  MakeMapFiles(tree, "UO");
  run.Click(*run.Form().UOClientTestButton);
  EXPECT_EQ(changes.names, std::set<std::string>{"UOClientStaticsResultLabel"});
  // The next page is told by its caption, which also names the container.
  changes.names.clear();
  run.Click(*run.Form().NextButton);
  EXPECT_EQ(changes.names, (std::set<std::string>{"ActionLabel", "PageControl"}));
  EXPECT_EQ(AccessibleName(*run.Form().ActionLabel), "Check for correct CD");
  EXPECT_EQ(AccessibleName(*run.Form().PageControl), "Check for correct CD");
  run.Form().RemoveObserver(&changes);
}

// Each announcement, with " box" appended when an error box came first.
class Announcements : public widgets::ControlObserver {
 public:
  explicit Announcements(WizardSession& run) : run_(run), boxes_(run.View().boxes.size()) {
    run_.Form().AddObserver(this);
  }
  ~Announcements() override { run_.Form().RemoveObserver(this); }
  void ControlChanged(Control& control, Change change) override {
    if (change != Change::kAnnouncement) return;
    said.push_back(static_cast<widgets::Form&>(control).Announcement() +
                   (run_.View().boxes.size() > boxes_ ? " box" : ""));
  }
  std::vector<std::string> said;

 private:
  WizardSession& run_;
  std::size_t boxes_;
};

TEST(Accessibility, EachActAnnouncesTheRowsItChangedOnceInReadingOrder) {
  TempTree tree;
  MakeMapFiles(tree, "UO");
  RemoveFile(tree.Path("UO/Statics0.mul"));
  MakeMapFiles(tree, "cd", 21971754);
  MakeMapFiles(tree, "cd2");
  RemoveFile(tree.Path("cd2/Statics0.mul"));
  const UnmeasurableFile unmeasurable(tree, "cd2/Statics0.mul");
  const std::string folder = tree.Path("UO");
  // Start-up changes rows before the window shows, and tells nothing.
  WizardSession run({tree.File("north.sq2"), folder, tree.Path("none")});
  EXPECT_EQ(run.Form().Announcement(), "");
  TSQPMainForm& form = run.Form();
  widgets::Edit& client = *form.UOClientPathEdit;
  const std::string last_key = folder.substr(folder.size() - 1);
  const std::string found = "Staidx0.mul: Found and writeable! Map0.mul: Found and writeable!";
  const std::string lost = "Staidx0.mul: Not found! Map0.mul: Not found!";
  const struct {
    const char* act;
    std::function<void()> run;
    std::vector<std::string> said;
  } acts[] = {
      {"a key away from the folder", [&] { run.Backspace(client); }, {lost}},
      {"the key back", [&] { run.Type(client, last_key); }, {found}},
      {"typing over it, all but the last key",
       [&] { run.TypeOver(client, folder.substr(0, folder.size() - 1)); },
       {lost}},
      {"the completing key", [&] { run.Type(client, last_key); }, {found}},
      {"another folder pasted over it",
       [&] {
         run.Press(widgets::Key::kTab, widgets::kShift);
         run.Press(widgets::Key::kTab);
         run.Paste(client, tree.Path("none"));
       },
       {lost}},
      {"undo", [&] { run.Undo(client); }, {found}},
      {"\"Test again\" once the missing file is there",
       [&] {
         MakeMapFiles(tree, "UO");
         run.Click(*form.UOClientTestButton);
       },
       {"Statics0.mul: Found and writeable!"}},
      {"\"Test again\" with nothing changed", [&] { run.Click(*form.UOClientTestButton); }, {}},
      {"Next", [&] { run.Click(*form.NextButton); }, {}},
      {"a drop that changes no row", [&] { run.Drop(*form.UOCDPathEdit, {tree.Folder("e")}); }, {}},
      // Told before the error box ("box" would follow it otherwise).
      {"a check that fails",
       [&] { run.Drop(*form.UOCDPathEdit, {tree.Path("cd2")}); },
       {"Staidx0.mul: Found! Statics0.mul: Found! Map0.mul: Found!"}},
      {"a folder that changes only the CD type",
       [&] { run.Drop(*form.UOCDPathEdit, {tree.Path("cd")}); },
       {"CD type: The Second Age"}},
  };
  for (const auto& act : acts) {
    Announcements announcements(run);
    act.run();
    EXPECT_EQ(announcements.said, act.said) << act.act;
  }
  EXPECT_EQ(run.View().boxes.size(), 1u);
}

}  // namespace
}  // namespace sqp::testing
