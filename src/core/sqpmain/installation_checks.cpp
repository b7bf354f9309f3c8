// The checks behind the two folder fields.
#include <array>

#include "probes/file_probes.h"
#include "probes/folder_path.h"
#include "probes/probe_pass.h"
#include "sqpmain/cd_edition.h"
#include "sqpmain/sqp_main_form.h"

namespace sqp {

namespace {

constexpr const char* kStaIdxFile = "StaIdx0.mul";
constexpr const char* kStaticsFile = "Statics0.mul";
constexpr const char* kMapFile = "Map0.mul";

struct ResultRow {
  const char* file_name;
  widgets::Label* label;
};

// Text first, then colour, so a view never shows a new colour behind an old text.
void ShowResult(widgets::Label& label, const char* text, widgets::Color color) {
  label.SetText(text);
  label.SetColor(color);
}

}  // namespace

void TSQPMainForm::UOClientPathEditChange(widgets::Control* /*sender*/) {
  const ProbePass pass;
  const std::string folder = NormalizeFolderPath(UOClientPathEdit->Text());
  unit_.UOClientFilesOk = true;
  const std::array<ResultRow, 3> rows = {{{kStaIdxFile, UOClientStaIdxResultLabel},
                                          {kStaticsFile, UOClientStaticsResultLabel},
                                          {kMapFile, UOClientMapResultLabel}}};
  for (const ResultRow& row : rows) {
    const std::string path = JoinFilePath(folder, row.file_name);
    if (!FileIsPresent(path)) {
      unit_.UOClientFilesOk = false;
      ShowResult(*row.label, "Not found!", widgets::kRed);
    } else if (FileIsWriteable(path)) {
      ShowResult(*row.label, "Found and writeable!", widgets::kGreen);
    } else {
      unit_.UOClientFilesOk = false;
      ShowResult(*row.label, "Found, but readonly!", widgets::kRed);
    }
  }
  UpdateWizardState();
}

void TSQPMainForm::UOCDPathEditChange(widgets::Control* /*sender*/) {
  const ProbePass pass;
  const std::string folder = NormalizeFolderPath(UOCDPathEdit->Text());
  unit_.UOCDFilesOk = true;
  const std::array<ResultRow, 3> rows = {{{kStaIdxFile, UOCDStaIdxResultLabel},
                                          {kStaticsFile, UOCDStaticsResultLabel},
                                          {kMapFile, UOCDMapResultLabel}}};
  for (const ResultRow& row : rows) {
    if (FileIsPresent(JoinFilePath(folder, row.file_name))) {
      ShowResult(*row.label, "Found!", widgets::kGreen);
    } else {
      unit_.UOCDFilesOk = false;
      ShowResult(*row.label, "Not found!", widgets::kRed);
    }
  }
  if (unit_.UOCDFilesOk) {
    // May throw EInOutError: the pass then ends here, before the edition
    // label and the buttons are touched.
    UOCDTypeResultLabel->SetText(
        CDEditionFromStaticsSize(FileByteSize(JoinFilePath(folder, kStaticsFile))));
  } else {
    UOCDTypeResultLabel->SetText("Path not correct!");
  }
  UpdateWizardState();
}

}  // namespace sqp
