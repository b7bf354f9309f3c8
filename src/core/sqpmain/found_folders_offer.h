#pragma once

#include <memory>

#include "app/window_post.h"
#include "found/folder_search.h"
#include "sqpmain/sqp_main_form.h"

namespace sqp {

// Starts the search for installed clients and CD copies on a thread of its
// own, once the window shows, and offers what it finds in the folder fields
// from the window's thread: the client list in the client field, the CD list
// in the CD field. The window never waits for it.
void StartFolderSearch(TSQPMainForm& form, std::shared_ptr<WindowPost> post,
                       std::shared_ptr<const SearchPlaces> places, SearchLimits limits = {});

}  // namespace sqp
