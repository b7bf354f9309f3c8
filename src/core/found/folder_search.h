#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "found/search_places.h"

namespace sqp {

struct SearchLimits {
  int levels = 3;          // folders this far below a place are still listed
  int max_folders = 5000;  // folders listed in all places together
  std::chrono::milliseconds time{3000};
};

// The folders that hold all three map files, each as the user reads it, in
// the order each field offers them: the client list starts with those where
// the client check passes, the CD list with those whose "Statics0.mul" names
// an edition; the others follow in the order of the places.
struct FoundFolders {
  std::vector<std::string> client;
  std::vector<std::string> cd;
  int folders_listed = 0;
};

// Walks every place, each on a thread of its own, until all are done or the
// limits are reached: a place that hangs costs only its own results. Takes
// a while: never call it on the window's thread.
FoundFolders SearchFolders(std::shared_ptr<const SearchPlaces> places, SearchLimits limits = {});

}  // namespace sqp
