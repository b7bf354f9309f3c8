#pragma once

#include <string>
#include <vector>

namespace sqp {

// A folder found in a listing. `hidden` is the platform's own notion: a name
// starting with "." on Linux, the hidden or system attribute on Windows.
struct ListedFolder {
  std::string name;
  bool hidden = false;
};

// The folders in `folder`, as the file system lists them ("." and ".."
// left out; a link counts when it leads to a folder). Only reads; an
// unreadable or missing folder lists nothing. May wait on a slow file
// system: never call it on the window's thread.
std::vector<ListedFolder> ListFolders(const std::string& folder);

}  // namespace sqp
