#include "sqpmain/check_answers.h"

#include "probes/file_probes.h"
#include "probes/folder_path.h"
#include "probes/probe_pass.h"

namespace sqp {

ClientAnswers AskClientFolder(const std::string& folder_text) {
  const ProbePass pass;
  const std::string folder = NormalizeFolderPath(folder_text);
  ClientAnswers answers;
  std::string path;
  for (std::size_t row = 0; row < kCheckedFiles.size(); ++row) {
    JoinFilePathInto(folder, kCheckedFiles[row], path);
    ClientAnswers::File& file = answers.files[row];
    file.present = FileIsPresent(path);
    // Only a present file is asked whether it may be written.
    file.writeable = file.present && FileIsWriteable(path);
  }
  return answers;
}

CDAnswers AskCDFolder(const std::string& folder_text) {
  const ProbePass pass;
  const std::string folder = NormalizeFolderPath(folder_text);
  CDAnswers answers;
  std::string path;
  for (std::size_t row = 0; row < kCheckedFiles.size(); ++row) {
    JoinFilePathInto(folder, kCheckedFiles[row], path);
    answers.present[row] = FileIsPresent(path);
  }
  if (answers.AllPresent()) {
    try {
      JoinFilePathInto(folder, kCheckedFiles[kStaticsRow], path);
      answers.statics_size = FileByteSize(path);
    } catch (const EInOutError& failure) {
      answers.size_failure = failure.ErrorCode();
    }
  }
  return answers;
}

}  // namespace sqp
