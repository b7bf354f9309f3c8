#pragma once

#include <functional>
#include <memory>

#include "found/folder_search.h"
#include "sqpmain/sqp_main_form.h"

namespace sqp {

// Hands a callback to the window's thread from any thread; once the window
// has gone it drops it.
using WindowPoster = std::function<void(std::function<void()>)>;

// Starts the search for installed clients and CD copies on a thread of its
// own, once the window shows, and offers what it finds in the folder fields
// from the window's thread: the client list in the client field, the CD list
// in the CD field. The window never waits for it.
void StartFolderSearch(TSQPMainForm& form, WindowPoster post,
                       std::shared_ptr<const SearchPlaces> places, SearchLimits limits = {});

}  // namespace sqp
