#include "sqpmain/sqp_main_layout.h"

#include <array>

namespace sqp {

namespace {

using F = TSQPMainForm;

// Pages fill the container less its border; their bounds are in the
// container's client area.
constexpr widgets::Bounds kPageArea{4, 4, 445, 177};

constexpr std::array kLayout = {
    // The window itself.
    LayoutRow{&F::ActionLabel, "ActionLabel", "", {4, 196, 56, 13}, "ActionLabel", kNoTabOrder,
              nullptr},
    LayoutRow{&F::PageControl, "PageControl", "", {4, 4, 453, 185}, "", 0, &F::PageControlChange},
    LayoutRow{&F::NextButton, "NextButton", "", {296, 196, 77, 25}, "Next", 1, &F::NextButtonClick},
    LayoutRow{&F::_ProgressBar, "_ProgressBar", "", {4, 228, 453, 17}, "", 3, nullptr},
    LayoutRow{&F::FinishButton, "FinishButton", "", {380, 196, 77, 25}, "Finish", 2,
              &F::FinishButtonClick},
    // The pages, in page order.
    LayoutRow{&F::CheckHDTabSheet, "CheckHDTabSheet", "PageControl", kPageArea,
              "Check current files", kNoTabOrder, nullptr},
    LayoutRow{&F::CheckCDTabSheet, "CheckCDTabSheet", "PageControl", kPageArea,
              "Check for correct CD", kNoTabOrder, nullptr},
    LayoutRow{&F::ApplyTabSheet, "ApplyTabSheet", "PageControl", kPageArea, "Apply the patch",
              kNoTabOrder, nullptr},
    // Page 0: the installed client folder.
    LayoutRow{&F::UOClientPathLabel, "UOClientPathLabel", "CheckHDTabSheet", {8, 8, 189, 13},
              "The UO client is installed at: (i.e. C:\\UO)", kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientPathEdit, "UOClientPathEdit", "CheckHDTabSheet", {212, 8, 225, 21},
              "UOClientPathEdit", 0, &F::UOClientPathEditChange},
    LayoutRow{&F::UOClientResultsGroupBox, "UOClientResultsGroupBox", "CheckHDTabSheet",
              {8, 40, 429, 93}, "Results for current path", 1, nullptr},
    LayoutRow{&F::UOClientStaIdxNameLabel, "UOClientStaIdxNameLabel", "UOClientResultsGroupBox",
              {12, 20, 54, 13}, "Staidx0.mul", kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientStaIdxResultLabel, "UOClientStaIdxResultLabel",
              "UOClientResultsGroupBox", {204, 20, 128, 13}, "UOClientStaIdxResultLabel",
              kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientStaticsNameLabel, "UOClientStaticsNameLabel", "UOClientResultsGroupBox",
              {12, 36, 57, 13}, "Statics0.mul", kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientStaticsResultLabel, "UOClientStaticsResultLabel",
              "UOClientResultsGroupBox", {204, 36, 130, 13}, "UOClientStaticsResultLabel",
              kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientMapNameLabel, "UOClientMapNameLabel", "UOClientResultsGroupBox",
              {12, 52, 46, 13}, "Map0.mul", kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientMapResultLabel, "UOClientMapResultLabel", "UOClientResultsGroupBox",
              {204, 52, 119, 13}, "UOClientMapResultLabel", kNoTabOrder, nullptr},
    LayoutRow{&F::UOClientTestButton, "UOClientTestButton", "CheckHDTabSheet", {360, 144, 77, 25},
              "Test again", 2, &F::UOClientTestButtonClick},
    // Page 1: the folder with the original files from the CD.
    LayoutRow{&F::UOCDPathLabel, "UOCDPathLabel", "CheckCDTabSheet", {8, 8, 195, 13},
              "The original UO files are at: (i.e. D:\\client)", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDPathEdit, "UOCDPathEdit", "CheckCDTabSheet", {212, 8, 225, 21},
              "UOCDPathEdit", 0, &F::UOCDPathEditChange},
    LayoutRow{&F::UOCDResultsGroupBox, "UOCDResultsGroupBox", "CheckCDTabSheet", {8, 40, 429, 97},
              "Results for current path", 1, nullptr},
    LayoutRow{&F::UOCDStaIdxNameLabel, "UOCDStaIdxNameLabel", "UOCDResultsGroupBox",
              {12, 20, 54, 13}, "Staidx0.mul", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDStaIdxResultLabel, "UOCDStaIdxResultLabel", "UOCDResultsGroupBox",
              {204, 20, 117, 13}, "UOCDStaIdxResultLabel", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDStaticsNameLabel, "UOCDStaticsNameLabel", "UOCDResultsGroupBox",
              {12, 36, 57, 13}, "Statics0.mul", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDStaticsResultLabel, "UOCDStaticsResultLabel", "UOCDResultsGroupBox",
              {204, 36, 119, 13}, "UOCDStaticsResultLabel", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDMapNameLabel, "UOCDMapNameLabel", "UOCDResultsGroupBox", {12, 52, 46, 13},
              "Map0.mul", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDMapResultLabel, "UOCDMapResultLabel", "UOCDResultsGroupBox",
              {204, 52, 108, 13}, "UOCDMapResultLabel", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDTypeNameLabel, "UOCDTypeNameLabel", "UOCDResultsGroupBox", {12, 68, 38, 13},
              "CD type", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDTypeResultLabel, "UOCDTypeResultLabel", "UOCDResultsGroupBox",
              {204, 68, 111, 13}, "UOCDTypeResultLabel", kNoTabOrder, nullptr},
    LayoutRow{&F::UOCDRecheckButton, "UOCDRecheckButton", "CheckCDTabSheet", {360, 144, 77, 25},
              "Test again", 2, &F::UOCDRecheckButtonClick},
};

constexpr WindowLayout kWindow{
    .caption = "Stonequill Patch 1",
    .client_width = 461,
    .client_height = 249,
    .font_name = "MS Sans Serif",
    .font_points = 8,
    .design_text_height = 13,
    .page_inset = kPageArea.left,
};

}  // namespace

const WindowLayout& SQPMainWindowLayout() { return kWindow; }

std::span<const LayoutRow> SQPMainLayout() { return kLayout; }

}  // namespace sqp
