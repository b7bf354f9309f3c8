// The wizard window as it is built, before start-up touches it.
#include <gtest/gtest.h>

#include "sqpmain/sqp_main_layout.h"
#include "support/wizard_session.h"

namespace sqp::testing {
namespace {

using widgets::ControlKind;

class Layout : public ::testing::Test {
 protected:
  RecordingView view_;
  SQPatchProgram program_{view_, {}};
  TSQPMainForm& form_ = program_.SQPMainForm();
};

TEST_F(Layout, TheWindowAndItsTitle) {
  EXPECT_EQ(program_.App().Title(), "Stonequill Patch");
  EXPECT_EQ(program_.App().MainForm(), &form_);
  EXPECT_EQ(form_.Name(), "SQPMainForm");
  EXPECT_EQ(form_.Text(), "Stonequill Patch 1");
  EXPECT_EQ(form_.GetBounds().width, 461);
  EXPECT_EQ(form_.GetBounds().height, 249);
  EXPECT_EQ(SQPMainWindowLayout().font_name, "MS Sans Serif");
  EXPECT_EQ(SQPMainWindowLayout().font_points, 8);
}

TEST_F(Layout, EveryRowBecomesItsFieldUnderItsParent) {
  const std::vector<widgets::Control*> all = form_.AllControls();
  ASSERT_EQ(all.size(), SQPMainLayout().size());
  ASSERT_EQ(all.size(), 30u);
  for (const LayoutRow& row : SQPMainLayout()) {
    widgets::Control* control = form_.FindControl(row.name);
    ASSERT_NE(control, nullptr) << row.name;
    // The field that the row names holds this very control.
    std::visit([&](auto field) { EXPECT_EQ(form_.*field, control) << row.name; }, row.field);
    EXPECT_EQ(control->Parent()->Name(), row.parent.empty() ? "SQPMainForm" : row.parent);
    EXPECT_EQ(control->GetBounds(), row.bounds) << row.name;
    EXPECT_EQ(control->Text(), row.text) << row.name;
    EXPECT_EQ(control->TabOrder(), row.tab_order) << row.name;
    const bool tab_stop = control->Kind() == ControlKind::kEdit ||
                          control->Kind() == ControlKind::kButton ||
                          control->Kind() == ControlKind::kPageControl;
    EXPECT_EQ(control->TabStop(), tab_stop) << row.name;
  }
}

TEST_F(Layout, ResultLabelsShowTheirOwnNamesOnTheirParentsColour) {
  for (widgets::Label* label :
       {form_.UOClientStaIdxResultLabel, form_.UOClientStaticsResultLabel,
        form_.UOClientMapResultLabel, form_.UOCDStaIdxResultLabel, form_.UOCDStaticsResultLabel,
        form_.UOCDMapResultLabel, form_.UOCDTypeResultLabel}) {
    EXPECT_EQ(Look(*label), (LabelLook{label->Name(), {}}));
  }
  EXPECT_EQ(form_.UOClientStaIdxNameLabel->Text(), "Staidx0.mul");
  EXPECT_EQ(form_.UOClientPathLabel->Text(), "The UO client is installed at: (i.e. C:\\UO)");
  EXPECT_EQ(form_.UOCDPathLabel->Text(), "The original UO files are at: (i.e. D:\\client)");
}

TEST_F(Layout, BuildingTheWindowRunsNoCheck) {
  EXPECT_EQ(form_.UOClientPathEdit->Text(), "UOClientPathEdit");
  EXPECT_EQ(form_.UOCDPathEdit->Text(), "UOCDPathEdit");
  EXPECT_FALSE(program_.Unit().UOClientFilesOk);
  EXPECT_FALSE(program_.Unit().UOCDFilesOk);
  EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(Layout, TheLastPageIsActiveAndNoPageShowsATab) {
  widgets::PageControl& pages = *form_.PageControl;
  ASSERT_EQ(pages.PageCount(), 3);
  EXPECT_EQ(pages.Page(0), form_.CheckHDTabSheet);
  EXPECT_EQ(pages.Page(1), form_.CheckCDTabSheet);
  EXPECT_EQ(pages.Page(2), form_.ApplyTabSheet);
  EXPECT_EQ(pages.ActivePage(), form_.ApplyTabSheet);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(pages.Page(i)->TabVisible());
    EXPECT_EQ(pages.Page(i)->Showing(), i == 2);
  }
  EXPECT_EQ(form_.ActionLabel->Text(), "ActionLabel");
  EXPECT_TRUE(form_.NextButton->Enabled());
  EXPECT_TRUE(form_.FinishButton->Enabled());
  EXPECT_EQ(form_._ProgressBar->Min(), 0);
  EXPECT_EQ(form_._ProgressBar->Max(), 100);
  EXPECT_EQ(form_._ProgressBar->Position(), 0);
}

TEST_F(Layout, NextOnTheLaidOutLastPageOnlyDisablesTheButtons) {
  // What a window that opens without start-up's page selection allows.
  form_.NextButton->UserClick();
  EXPECT_EQ(form_.PageControl->ActivePage(), form_.ApplyTabSheet);
  EXPECT_EQ(form_.ActionLabel->Text(), "Apply the patch");
  EXPECT_FALSE(form_.NextButton->Enabled());
  EXPECT_FALSE(form_.FinishButton->Enabled());
}

TEST_F(Layout, EachProgramStartsFromAFreshState) {
  form_.UOClientPathEdit->UserReplaceText("");
  RecordingView other_view;
  SQPatchProgram other(other_view, {});
  EXPECT_EQ(other.SQPMainForm().UOClientStaIdxResultLabel->Text(), "UOClientStaIdxResultLabel");
  EXPECT_EQ(other.Unit().PatchFilePath, "");
  EXPECT_EQ(form_.UOClientStaIdxResultLabel->Text(), "Not found!");
}

}  // namespace
}  // namespace sqp::testing
