// What a folder field offers beyond typing, the same in both programs: when
// it offers completion and the picker, which entries its list shows, what
// keys do while the list is open, and how it takes a whole text at once.
#include "sqpmain/folder_field.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/check_counter.h"
#include "support/temp_tree.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

using widgets::Key;

TEST(FolderFieldList, OffersFoldersStartingWithTheTypedNameInListingOrder) {
  const std::vector<ListedFolder> listing = {{"uo", false},      {"_old", false}, {"UO2", false},
                                             {"Games", false},   {".wine", true}, {".Uo", true},
                                             {"umbrella", false}};
  struct Case {
    const char* typed_name;
    std::vector<std::string> entries;
  } cases[] = {
      // Letters compare as capitals, so "_" comes after them all.
      {"", {"/h/Games", "/h/umbrella", "/h/uo", "/h/UO2", "/h/_old"}},
      {"u", {"/h/umbrella", "/h/uo", "/h/UO2"}},
      {"UO", {"/h/uo", "/h/UO2"}},
      {"uo2x", {}},
      // Hidden folders once the typed name asks for one.
      {".", {"/h/.Uo", "/h/.wine"}},
      {".W", {"/h/.wine"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed_name);
    EXPECT_EQ(FolderField::ListEntries({"/h/", "/home/u", c.typed_name}, listing), c.entries);
  }
}

TEST(FolderFieldList, KeysActOnTheListAsInBothPrograms) {
  struct Case {
    Key key;
    bool picked;
    ListKeyAction action;
  } cases[] = {
      {Key::kDown, false, ListKeyAction::kMoveInList},
      {Key::kUp, true, ListKeyAction::kMoveInList},
      {Key::kEnter, true, ListKeyAction::kTakeEntry},
      {Key::kEnter, false, ListKeyAction::kCloseList},
      {Key::kTab, true, ListKeyAction::kTakeEntry},
      {Key::kTab, false, ListKeyAction::kCloseAndPass},
      {Key::kEscape, true, ListKeyAction::kCloseList},
      {Key::kLeft, true, ListKeyAction::kToField},
      {Key::kOther, false, ListKeyAction::kToField},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderField::KeyWhileListOpen(c.key, c.picked), c.action)
        << static_cast<int>(c.key) << " picked " << c.picked;
  }
}

// The client field of a run, counting the checks it runs.
struct ClientField {
  explicit ClientField(TempTree& tree) : run({tree.File("north.sq2")}) {}

  WizardSession run;
  TSQPMainForm& form = run.Form();
  widgets::Edit& edit = *form.UOClientPathEdit;
  FolderField& field = *form.FolderFieldOf(&edit);
  CheckCounter counter{form, &edit};
};

TEST(FolderField, OnlyTheFolderEditsAreFolderFields) {
  TempTree tree;
  ClientField client(tree);
  EXPECT_EQ(&client.form.FolderFieldOf(client.form.UOCDPathEdit)->GetEdit(),
            client.form.UOCDPathEdit);
  EXPECT_EQ(client.form.FolderFieldOf(client.form.NextButton), nullptr);
  EXPECT_EQ(client.form.FolderFieldOf(client.form.UOClientPathLabel), nullptr);
}

// Each state a user meets the field in, and each act that puts a whole text
// in at once: a field that takes input takes it as one user edit, so the
// check runs once; any other takes nothing and offers nothing.
TEST(FolderField, TakesAWholeTextAsOneUserEditOnlyWhileItTakesInput) {
  TempTree tree;
  MakeMapFiles(tree, "client");
  tree.Folder("client/sub");
  const std::string folder = tree.Path("client");
  struct State {
    const char* what;
    std::function<void(ClientField&)> enter;
    bool takes_input;
  } states[] = {
      {"on the page shown", [](ClientField&) {}, true},
      {"disabled", [](ClientField& c) { c.form.CheckHDTabSheet->SetEnabled(false); }, false},
      {"on a page left",
       [&](ClientField& c) {
         c.run.TypeOver(c.edit, folder);
         c.run.Click(*c.form.NextButton);
       },
       false},
  };
  struct Act {
    const char* what;
    std::function<void(ClientField&)> act;
  } acts[] = {
      {"a list entry, the picker or assistive technology",
       [&](ClientField& c) { c.field.TakeText(folder); }},
      {"a drop", [&](ClientField& c) { c.run.Drop(c.edit, {tree.Path("client/Map0.mul")}); }},
  };
  for (const State& state : states) {
    for (const Act& act : acts) {
      SCOPED_TRACE(std::string(state.what) + ", " + act.what);
      ClientField client(tree);
      client.run.TypeOver(client.edit, folder + "/sub");
      state.enter(client);
      EXPECT_EQ(client.field.OffersFolders(), state.takes_input);
      EXPECT_EQ(client.field.CompletionText().has_value(), state.takes_input);
      EXPECT_EQ(client.field.PickerStart(), client.edit.Text());
      const std::string before = client.edit.Text();
      const int checks = client.counter.checks;
      act.act(client);
      EXPECT_EQ(client.edit.Text(), state.takes_input ? folder : before);
      EXPECT_EQ(client.counter.checks - checks, state.takes_input ? 1 : 0);
      if (state.takes_input) {
        EXPECT_EQ(ClientResults(client.form),
                  std::vector<LabelLook>(3, Green("Found and writeable!")));
        EXPECT_TRUE(client.run.NextEnabled());
      }
    }
  }
}

}  // namespace
}  // namespace sqp::testing
