#include "found/folder_search.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

#include "probes/name_match.h"
#include "sqpmain/cd_edition.h"
#include "sqpmain/check_answers.h"

namespace sqp {

namespace {

using Clock = std::chrono::steady_clock;

struct Found {
  std::string identity;
  std::string spelling;
  bool client_passes = false;
  bool names_edition = false;
};

// Shared by the search and its place threads. A thread stuck in a place
// that hangs holds it after the search has returned.
struct SearchState {
  SearchState(std::shared_ptr<const SearchPlaces> p, SearchLimits l, std::size_t place_count)
      : places(std::move(p)), limits(l), deadline(Clock::now() + l.time), found(place_count) {}

  const std::shared_ptr<const SearchPlaces> places;
  const SearchLimits limits;
  const Clock::time_point deadline;
  std::atomic<int> listed{0};
  std::mutex mutex;
  std::condition_variable done;
  std::size_t running = 0;
  std::vector<std::vector<Found>> found;  // by place, in walk order

  // Takes one folder from the budget; false once the search is over.
  bool MayList() { return Clock::now() < deadline && listed++ < limits.max_folders; }
};

bool HoldsMapFiles(const std::vector<PlaceEntry>& entries) {
  return std::all_of(kCheckedFiles.begin(), kCheckedFiles.end(), [&](const char* file) {
    return std::any_of(entries.begin(), entries.end(), [&](const PlaceEntry& entry) {
      return !entry.folder && EqualsIgnoringAsciiCase(entry.name, file);
    });
  });
}

Found Judge(const std::string& path, std::string identity, std::string spelling) {
  const ClientAnswers client = AskClientFolder(path);
  const CDAnswers cd = AskCDFolder(path);
  Found found{std::move(identity), std::move(spelling)};
  found.client_passes = std::all_of(client.files.begin(), client.files.end(),
                                    [](const ClientAnswers::File& f) { return f.writeable; });
  found.names_edition = cd.AllPresent() && cd.size_failure == 0 && NamesCDEdition(cd.statics_size);
  return found;
}

void WalkPlace(SearchState& state, std::size_t index, const SearchPlace& place) {
  struct Step {
    std::string path;
    std::string spelling;
    int level = 0;
    bool through_link = false;
  };
  // Level by level: when the limits end the search, what it has listed is
  // the part nearest the place, where installs are.
  std::deque<Step> pending = {{place.path, place.spelling, 0, false}};
  std::set<std::string> visited;
  while (!pending.empty() && state.MayList()) {
    const Step step = std::move(pending.front());
    pending.pop_front();
    PlaceListing listing = state.places->List(step.path);
    if (listing.skipped) continue;
    // Two links to one folder, or a link back up: each folder once.
    if (!listing.identity.empty() && !visited.insert(listing.identity).second) continue;
    if (HoldsMapFiles(listing.entries)) {
      Found found = Judge(step.path, listing.identity, step.spelling);
      const std::lock_guard<std::mutex> lock(state.mutex);
      state.found[index].push_back(std::move(found));
    }
    if (step.level >= state.limits.levels) continue;
    std::vector<const PlaceEntry*> folders;
    for (const PlaceEntry& entry : listing.entries) {
      // A link is followed once on the way down, never a link inside it.
      if (entry.folder && !(entry.link && step.through_link)) folders.push_back(&entry);
    }
    // Walked in the order Wine lists them, a folder's own subfolders before
    // the links beside them: a folder reached both ways keeps its own path.
    std::sort(folders.begin(), folders.end(), [](const PlaceEntry* a, const PlaceEntry* b) {
      if (a->link != b->link) return b->link;
      return ListsBefore(a->name, b->name);
    });
    for (const PlaceEntry* entry : folders) {
      std::string spelling = step.spelling;
      if (spelling.empty() || spelling.back() != place.separator) spelling += place.separator;
      pending.push_back({state.places->Join(step.path, entry->name), spelling + entry->name,
                         step.level + 1, step.through_link || entry->link});
    }
  }
}

}  // namespace

FoundFolders SearchFolders(std::shared_ptr<const SearchPlaces> places, SearchLimits limits) {
  const std::vector<SearchPlace> place_list = places->Places();
  const auto state = std::make_shared<SearchState>(std::move(places), limits, place_list.size());
  for (std::size_t index = 0; index < place_list.size(); ++index) {
    const auto finished = [state] {
      const std::lock_guard<std::mutex> lock(state->mutex);
      --state->running;
      state->done.notify_all();
    };
    {
      const std::lock_guard<std::mutex> lock(state->mutex);
      ++state->running;
    }
    try {
      std::thread([state, index, place = place_list[index], finished] {
        WalkPlace(*state, index, place);
        finished();
      }).detach();
    } catch (const std::system_error&) {
      // No thread to be had: that place goes unsearched.
      finished();
    }
  }
  std::vector<std::vector<Found>> by_place;
  {
    std::unique_lock<std::mutex> lock(state->mutex);
    state->done.wait_until(lock, state->deadline, [&] { return state->running == 0; });
    by_place = state->found;
  }
  // A folder reached from two places is offered as the earlier place spells it.
  std::set<std::string> offered;
  std::vector<Found> all;
  for (std::vector<Found>& place_found : by_place) {
    for (Found& found : place_found) {
      if (found.identity.empty() || offered.insert(found.identity).second)
        all.push_back(std::move(found));
    }
  }
  FoundFolders result;
  result.folders_listed = std::min(state->listed.load(), limits.max_folders);
  for (const bool first : {true, false}) {
    for (const Found& found : all) {
      if (found.client_passes == first) result.client.push_back(found.spelling);
      if (found.names_edition == first) result.cd.push_back(found.spelling);
    }
  }
  return result;
}

}  // namespace sqp
