#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sqp {

// The folder that a folder text names, when it exists and is a folder: the
// text normalised and looked up as the file probes look up the folder they
// test, names matched without regard to letter case. On POSIX the answer is
// spelt as the file system holds it, and the empty folder path is the root
// folder "/". Only reads; never fails.
std::optional<std::string> ExistingFolder(std::string_view folder_text);

// The folder a folder picker opens in for a field holding `folder_text`: the
// folder the text names, when it exists. A blank text names no folder the
// user chose, so the picker keeps its own start.
std::optional<std::string> FolderPickerStart(std::string_view folder_text);

// A folder text as completion sees it: an existing folder, named by the text
// up to its last folder separator, and the start of a name in that folder.
struct FolderCompletionBase {
  std::string typed_folder;  // the text up to and including the last separator
  std::string folder;        // the folder `typed_folder` names, see ExistingFolder
  std::string typed_name;    // the rest of the text
};

// Nothing for a text without a separator (a bare name says no folder) and
// for one whose folder part names no existing folder.
std::optional<FolderCompletionBase> CompletionBaseOf(std::string_view folder_text);

}  // namespace sqp
