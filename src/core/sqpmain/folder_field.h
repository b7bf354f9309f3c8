#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "probes/existing_folder.h"
#include "probes/folder_listing.h"
#include "sqpmain/check_scheduler.h"
#include "sqpmain/folder_drop.h"
#include "widgets/edit.h"
#include "widgets/keys.h"

namespace sqp {

// The entry of a folder field's context menu that opens the picker.
inline constexpr const char* kBrowseForFolder = "Browse for folder...";

// What a key does while a folder field's completion list is open.
enum class ListKeyAction {
  kMoveInList,    // Up and Down move the list's pick; the text stays
  kTakeEntry,     // the picked entry becomes the field's text
  kCloseList,     // the list closes; the text stays and the key does nothing more
  kCloseAndPass,  // the list closes and the key acts as it does without a list
  kToField,       // any other key edits the field; the list follows the text
};

// An edit that holds a folder, and what it offers beyond typing: completion
// of folder names in a list under it, a folder picker, and drops. Both
// programs ask it, so that they offer the same things at the same time; the
// views only draw the list and the dialog and pass the user's acts in.
class FolderField {
 public:
  // The file system is asked through `checks`, which waits for it no longer
  // than for a check.
  FolderField(Application& application, widgets::Edit& edit, CheckScheduler& checks)
      : application_(application), edit_(edit), checks_(checks) {}

  widgets::Edit& GetEdit() const { return edit_; }

  // Completion and the picker are offered while the field takes input: it
  // is enabled and on the page shown.
  bool OffersFolders() const { return edit_.CanFocus(); }

  // Where the picker opens: the folder the text names, when it exists and
  // the file system says so in time; else nothing, and the picker keeps its
  // own start.
  std::optional<std::string> PickerStart() const;

  // Whether `text` names a folder the checks would find, as the picker's OK
  // asks; false too when the file system does not say in time.
  bool NamesFolderInTime(std::string text) const;

  // The text the list completes, or nothing, and the list closes: the field
  // offers no folders, or the text has no folder part. Asks nothing of the
  // file system: where the folder part leads (CompletionBaseOf) is asked
  // off the window's thread.
  std::optional<std::string> CompletionText() const;

  // The entries the list offers from a listing of `base.folder`, each as the
  // whole text it puts into the field: the folders whose names start with
  // the typed name in any letter case, in the order Windows lists them.
  // Hidden folders only once the typed name starts with ".": a user who
  // types "~/." is looking for one (".wine").
  static std::vector<std::string> ListEntries(const FolderCompletionBase& base,
                                              const std::vector<ListedFolder>& listing);

  // The entries for `text`, when its folder part names a folder and the
  // file system lists it in time; else nothing. Any thread.
  std::optional<std::vector<std::string>> EntriesInTime(std::string text) const;

  // The same keys in both programs: Up and Down move in the list; Enter
  // takes the picked entry (with none, it closes the list); Escape closes
  // it; Tab and Shift+Tab take the picked entry, and with none the list
  // closes and the focus moves on. Every other key goes to the field.
  static ListKeyAction KeyWhileListOpen(widgets::Key key, bool entry_picked);

  // A whole text that the user put in at once: a list entry, a folder
  // chosen in the picker, or a value set by assistive technology (a screen
  // reader, voice input). One user edit, so the check runs once. A field
  // that takes no input takes nothing (the picker ran its own event loop,
  // during which the field may have gone): false.
  bool TakeText(std::string text);

  // The folder a drop of `paths` puts into the field, or nothing when the
  // field refuses it: it takes no input, the drop names no folder, or the
  // file system did not say in time. The views put it in as the user's own
  // edit, which the native edit's undo takes back.
  std::optional<std::string> FolderForDrop(const std::vector<std::string>& paths,
                                           const FolderTest& is_folder) const;

 private:
  Application& application_;
  widgets::Edit& edit_;
  CheckScheduler& checks_;
};

}  // namespace sqp
