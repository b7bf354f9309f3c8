#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace sqp {
class FolderField;
}  // namespace sqp

namespace sqp::win32 {

// What a folder field offers beyond typing: the completion of folder names
// in a list under the edit, as Explorer's address bar has it, and the system
// folder picker. COM must be set up on the thread.

// Attaches the system's completion object to `edit`, drawing from a list of
// folders only: those in the folder typed up to the last separator. It never
// writes a completion into the edit by itself (no inline text); the entry the
// user moves to in the list is shown in the edit.
void AttachFolderCompletion(HWND edit, const FolderField& field);

// Whether a completion list of this thread is on screen.
bool FolderCompletionListShown();

// The edit's context menu: its standard entries, run on the edit as the
// edit's own menu runs them, followed by "Browse for folder..." when
// `offer_browse`. True when the user chose "Browse for folder...".
bool RunFolderFieldMenu(HWND edit, POINT screen_point, bool offer_browse);

// The system folder picker, owned by `owner`, starting in `start_folder`
// when it is not empty. Nothing when the user cancels.
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& start_folder);

}  // namespace sqp::win32
