#include <gtest/gtest.h>

#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/form.h"
#include "widgets/keys.h"
#include "widgets/label.h"
#include "widgets/page_control.h"

namespace sqp::widgets {
namespace {

// Every change a view would be told of, in order.
class ChangeLog : public ControlObserver {
 public:
  void ControlChanged(Control& control, Change change) override {
    entries.push_back({control.Name(), change});
  }
  std::vector<std::pair<std::string, Change>> entries;
};

class EditTest : public ::testing::Test {
 protected:
  EditTest() {
    edit_ = form_.Create<Edit>("Edit", &form_, {0, 0, 100, 21});
    edit_->SetText("layout");
    edit_->on_change = [this](Control* sender) {
      EXPECT_EQ(sender, edit_);
      seen_.push_back(edit_->Text());
    };
  }
  Form form_{"Form", {0, 0, 200, 100}};
  Edit* edit_ = nullptr;
  std::vector<std::string> seen_;  // the text at each change event
};

TEST_F(EditTest, AProgramWriteRunsTheHandlerOnlyForANewText) {
  edit_->SetText("layout");
  EXPECT_TRUE(seen_.empty());
  edit_->SetText("");
  edit_->SetText("");
  edit_->SetText("C:\\UO");
  EXPECT_EQ(seen_, (std::vector<std::string>{"", "C:\\UO"}));
}

TEST_F(EditTest, AUserChangeAlwaysRunsTheHandlerAndLeavesTheCaretAtTheEnd) {
  edit_->Select(0, 2);
  // Typing a selected "la" over with "la" is still the user's change.
  edit_->UserReplaceText("layout");
  edit_->UserReplaceText("C:\\\xC3\x9Cnits");
  EXPECT_EQ(seen_, (std::vector<std::string>{"layout", "C:\\\xC3\x9Cnits"}));
  EXPECT_EQ(edit_->SelectionStart(), edit_->Text().size());
  EXPECT_EQ(edit_->SelectionLength(), 0u);
  // A selection cannot start inside a character.
  edit_->Select(4, 2);
  EXPECT_EQ(edit_->SelectionStart(), 3u);
  EXPECT_EQ(edit_->SelectionLength(), 2u);
}

TEST(Label, PaintsInItsParentsColourUntilItGetsItsOwn) {
  Form form("Form", {0, 0, 10, 10});
  Label* label = form.Create<Label>("Label", &form, {0, 0, 5, 5});
  EXPECT_FALSE(label->OwnColor().has_value());
  label->SetColor(kRed);
  EXPECT_EQ(label->OwnColor(), kRed);
  EXPECT_EQ(RedOf(kRed), 255);
  EXPECT_EQ(GreenOf(kGreen), 128);
  EXPECT_EQ(RedOf(kGreen) + BlueOf(kGreen) + GreenOf(kRed) + BlueOf(kRed), 0);
}

TEST(Form, TellsObserversOfEveryChangeInOrder) {
  Form form("Form", {0, 0, 10, 10});
  ChangeLog log;
  form.AddObserver(&log);
  Label* label = form.Create<Label>("Label", &form, {0, 0, 5, 5});
  Button* button = form.Create<Button>("Button", &form, {0, 0, 5, 5});
  label->SetText("Found!");
  label->SetColor(kGreen);
  label->SetColor(kGreen);  // unchanged: nothing to draw
  button->SetEnabled(false);
  EXPECT_EQ(log.entries,
            (std::vector<std::pair<std::string, Change>>{{"Label", Change::kText},
                                                         {"Label", Change::kAccessibleName},
                                                         {"Label", Change::kColor},
                                                         {"Button", Change::kEnabled}}));
  form.RemoveObserver(&log);
  label->SetText("x");
  EXPECT_EQ(log.entries.size(), 4u);
}

TEST(PageControl, AProgramSelectionRaisesNoChangeEvent) {
  Form form("Form", {0, 0, 10, 10});
  auto* pages = form.Create<PageControl>("Pages", &form, {0, 0, 5, 5});
  auto* first = form.Create<TabSheet>("First", pages, {0, 0, 5, 5});
  auto* second = form.Create<TabSheet>("Second", pages, {0, 0, 5, 5});
  pages->AddPage(first);
  pages->AddPage(second);
  int changes = 0;
  pages->on_change = [&](Control*) { ++changes; };
  pages->SetActivePage(second);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_TRUE(second->Showing());
  EXPECT_FALSE(first->Showing());
  EXPECT_EQ(changes, 0);
  // With a visible tab, Ctrl+Tab from inside the container switches to it
  // and raises the event.
  first->SetTabVisible(false);
  second->SetTabVisible(false);
  auto* button = form.Create<Button>("Button", second, {0, 0, 5, 5});
  ASSERT_TRUE(form.SetFocus(button));
  form.KeyDown(Key::kTab, kCtrl);
  EXPECT_EQ(pages->ActivePage(), second);  // no other page has a visible tab
  EXPECT_EQ(changes, 0);
  first->SetTabVisible(true);
  form.KeyDown(Key::kTab, kCtrl | kShift);
  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form.Focused(), nullptr);  // the button went with its page
}

}  // namespace
}  // namespace sqp::widgets
